#!/usr/bin/env bash
# The program in a Wayland session, under weston's headless compositor:
# with XWayland there it runs on the X server, its menu borderless and
# centred; with no X server it runs natively and names its launcher in the
# app id; a platform the user chose is kept.
#   wayland.sh PROGRAM OUT_DIR
set -u
program=$1
out=$2
mkdir -p "$out"
rm -f "$out"/*.log
. "$(dirname "$0")/lib.sh"
need_tools weston Xwayland xdotool xwininfo xdpyinfo
plugins=$(dirname "$(find /usr/lib -path '*qt6/plugins/platforms/libqwayland-generic.so' 2>/dev/null | head -1)")
[ -f "$plugins/libqwayland-generic.so" ] || { echo "SKIP: Qt's Wayland platform is not installed (tools/bootstrap installs it)"; exit 77; }
failures=0

runtime=$(mktemp -d)
chmod 700 "$runtime"
socket=velkaram-$$
weston_pid=""
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$runtime"
}
trap cleanup EXIT

XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket="$socket" --width=1024 --height=768 \
  --xwayland --idle-time=0 --log="$out/weston.log" >/dev/null 2>&1 &
weston_pid=$!
x=""
for _ in $(seq 100); do
  x=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$out/weston.log" 2>/dev/null | tail -1)
  [ -n "$x" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
[ -n "$x" ] || { echo "SKIP: weston's headless compositor with XWayland did not start"; cat "$out/weston.log" 2>/dev/null; exit 77; }

# Runs the program in the session; the environment given as NAME=VALUE.
run() { # log NAME=VALUE...
  local log=$1; shift
  env -u DISPLAY -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime" XDG_SESSION_TYPE=wayland \
    WAYLAND_DISPLAY="$socket" "$@" "$program" >"$out/$log" 2>&1 &
  app=$!
}
stop() { kill "$app" 2>/dev/null; wait "$app" 2>/dev/null; app=""; }
# Waits up to 30 s for a line in the program's log.
logged() { # log pattern
  for _ in $(seq 150); do grep -q "$2" "$out/$1" && return 0; kill -0 "$app" 2>/dev/null || return 1; sleep 0.2; done
  return 1
}

# XWayland there: the menu is an X window, centred on the X screen. Weston
# starts XWayland, and its window manager, for the first X client: a window
# mapped before the manager is up goes where weston puts unmanaged ones, as
# on no desktop a reader starts the program from. So the desktop is up first.
DISPLAY=$x xdpyinfo >/dev/null 2>&1
for _ in $(seq 100); do grep -q 'created wm' "$out/weston.log" && break; sleep 0.1; done
run xwayland.log DISPLAY="$x"
menu=""
for _ in $(seq 150); do
  menu=$(DISPLAY=$x xdotool search --onlyvisible --name '^Velkaram$' 2>/dev/null | head -1)
  [ -n "$menu" ] && DISPLAY=$x xwininfo -id "$menu" | grep -q 'Width: 640' && break
  menu=""
  sleep 0.2
done
if [ -n "$menu" ]; then
  pass "with XWayland the program runs on the X server"
  root=$(DISPLAY=$x xwininfo -root)
  width=$(sed -n 's/.*Width: *//p' <<<"$root")
  height=$(sed -n 's/.*Height: *//p' <<<"$root")
  # weston's window manager maps the window where it likes; the program then
  # moves it to the middle: up to five seconds.
  for _ in $(seq 25); do
    info=$(DISPLAY=$x xwininfo -id "$menu")
    left=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    top=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    [ "$left" -eq $(((width - 640) / 2)) ] && [ "$top" -eq $(((height - 480) / 2)) ] && break
    sleep 0.2
  done
  if [ "$left" -eq $(((width - 640) / 2)) ] && [ "$top" -eq $(((height - 480) / 2)) ]; then
    pass "the menu is centred on the ${width}x${height} screen ($left,$top)"
  else
    fail "the menu is at $left,$top on a ${width}x${height} screen, not centred"
  fi
else
  fail "with XWayland there, no menu window appeared on the X server $x"
fi
stop

# No X server: natively on Wayland, the app id naming the desktop entry.
run native.log WAYLAND_DEBUG=1
if logged native.log 'set_title("Velkaram")'; then
  pass "with no X server the program runs natively on Wayland and shows the menu"
else
  fail "natively on Wayland the menu never showed"; tail -5 "$out/native.log"
fi
if grep -q 'set_app_id("org.example.velkaram")' "$out/native.log"; then pass "its app id names the desktop entry"
else fail "no app id org.example.velkaram"; fi
sleep 2
kill -0 "$app" 2>/dev/null && pass "it keeps running" || fail "the program ended on Wayland"
stop

# The user's choice stands: Wayland asked for, though an X server is there.
run chosen.log DISPLAY="$x" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1
if logged chosen.log 'set_title("Velkaram")'; then pass "QT_QPA_PLATFORM=wayland is kept"
else fail "with QT_QPA_PLATFORM=wayland the program did not run on Wayland"; fi
stop

echo "logs in $out"
exit $((failures > 0))
