#!/usr/bin/env bash
# The program leaves nothing behind. It runs as under a bare X server: no
# session bus, no XDG folders, an empty HOME. The start-up sound plays, then
# the help, the dictionary and back, the about box and back, the sound area
# and its message, and Exit. Afterwards:
# - no process the run started still runs (each one carries a tag in its
#   environment, which children inherit; other users of the machine don't);
# - the desktop's viewer was given the environment the program was given;
# - HOME holds only what README.md lists under "What the program writes".
#   leftovers.sh PROGRAM OUT_DIR
set -u
program=$1
. "$(dirname "$0")/lib.sh"
# dbus-launch is what starts a session bus for a program that asks for one.
if ! command -v dbus-launch >/dev/null; then
  echo "SKIP: dbus-launch is not installed (tools/bootstrap installs dbus-x11)"
  exit 77
fi
e2e_start "$2"
out=$(cd "$out" && pwd) # HOME must be an absolute path
rm -rf "$out/home" "$out/viewer" "$out"/*.png "$out/program.log"
home=$out/home
viewer=$out/viewer
mkdir -p "$home" "$viewer"

# Stands in for the desktop's viewer: records the environment it gets.
cat >"$viewer/xdg-open" <<EOF
#!/bin/sh
env >"$viewer/env.part" && mv "$viewer/env.part" "$viewer/env"
EOF
chmod +x "$viewer/xdg-open"

tag=$$-$(date +%s%N)
given=(-u DBUS_SESSION_BUS_ADDRESS -u XDG_RUNTIME_DIR -u XDG_CONFIG_HOME -u XDG_CACHE_HOME
  -u XDG_DATA_HOME -u XDG_STATE_HOME -u PULSE_BINARY
  HOME="$home" PATH="$viewer:$PATH" VELKARAM_LEFTOVERS_RUN="$tag")

# Processes running with this run's tag, as "pid command".
tagged() {
  local environ pid
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    if tr '\0' '\n' 2>/dev/null <"$environ" | grep -qx "VELKARAM_LEFTOVERS_RUN=$tag"; then
      echo "$pid $(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline")"
    fi
  done
}
# The variables a shell sets for itself are left out.
environment_of() { grep -Ev '^(_|PWD|OLDPWD|SHLVL)=' "$1" | sort; }

menu_shown() { shown '^Velkaram$' 640x480 "$1"; }

env "${given[@]}" env >"$out/given.env"
env "${given[@]}" "$program" >>"$out/program.log" 2>&1 &
app=$!
wait_window '^Delvo Soft$' || { fail "the splash did not appear"; e2e_finish; }
# The start-up sound plays while the splash fills its bar.
wait_window '^Velkaram$' && menu_shown yes || { fail "the main menu did not appear"; e2e_finish; }
pass "the menu follows the splash and its sound"

click_menu 614 26 # help
for _ in $(seq 50); do [ -e "$viewer/env" ] && break; sleep 0.2; done
if [ ! -e "$viewer/env" ]; then
  fail "the help area started no viewer"
elif diff <(environment_of "$out/given.env") <(environment_of "$viewer/env") >"$out/viewer.diff"; then
  pass "the viewer gets the environment the program was given"
else
  fail "the viewer's environment differs from the program's ($out/viewer.diff):"
  cat "$out/viewer.diff"
fi

click_menu 312 348 # the dictionary
if shown '^Velkaram$' 792x563 yes; then
  pass "the dictionary opened"
  dictionary=$(xdotool search --onlyvisible --name '^Velkaram$' | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$dictionary")"
  click $((X + 552)) $((Y + 96)) # Back
  menu_shown yes && pass "Back returns to the menu" || fail "Back did not return to the menu"
else
  fail "the dictionary did not open"
fi

click_menu 304 296 # the about picture
if shown '^حول البرنامج$' 761x508 yes; then
  pass "the about box opened"
  click $(((1024 - 761) / 2 + 380)) $(((768 - 508) / 2 + 468)) # its strip
  menu_shown yes && pass "the strip returns to the menu" || fail "the strip did not return to the menu"
else
  fail "the about box did not open"
fi

click_menu 552 96 # the sound area: the track and a message
if timeout 10 bash -c 'until [ "$(xdotool search --onlyvisible --name "^Velkaram$" | wc -l)" -ge 2 ]; do sleep 0.2; done'; then
  pass "the sound area shows its message"
  xdotool key Return
else
  fail "no message from the sound area"
fi
shot last

click_menu 614 130 # exit
if wait_for_end 10; then
  [ "$rc" -eq 0 ] && pass "exit ends the program (code 0)" || fail "exit ended with code $rc"
else
  fail "exit did not end the program"
fi

# What the run started has a few seconds to go after the program's end.
for _ in $(seq 50); do
  left=$(tagged)
  [ -z "$left" ] && break
  sleep 0.1
done
if [ -z "$left" ]; then
  pass "no process of the run outlives the program"
else
  fail "processes of the run still run after the program's end:"
  echo "$left"
  kill $(cut -d' ' -f1 <<<"$left") 2>/dev/null
fi

# What the system's libraries write (README.md, "What the program writes").
allowed='^(\.cache|\.cache/gstreamer-1\.0|\.cache/gstreamer-1\.0/registry\.[^/]+\.bin|\.config|\.config/pulse|\.config/pulse/[0-9a-f]+-runtime)$'
written=$(cd "$home" && find . -mindepth 1 -printf '%P\n' | sort)
echo "written into HOME:"
echo "${written:-  nothing}" | sed 's/^/  /'
extra=$(grep -Ev "$allowed" <<<"$written")
[ -z "$extra" ] && pass "HOME holds only what the README names" || fail "unexpected in HOME: $extra"
e2e_finish
