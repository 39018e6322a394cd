# Shared by the end-to-end scripts: a private Xvfb display, screenshots and
# the checks between them. Source it, then call e2e_start OUT_DIR.
#   e2e_start OUT_DIR         starts Xvfb (exit 77 when it cannot), sets DISPLAY;
#                             the screen is $E2E_SCREEN pixels (default 1024x768)
#   start_program PROGRAM     starts the program, its pid in $app
#   wait_window NAME          waits up to 30 s for a visible window of that title
#   shot NAME                 screenshot of the whole screen to OUT_DIR/NAME.png
#   expect_change A B RECT WHAT / expect_same A B RECT WHAT
#   click X Y                 a real left click at screen coordinates
#   window_of TITLE SIZE      a visible window of that title and size (WxH)
#   wait_window_of TITLE SIZE the same, waited for up to ten seconds
#   shown TITLE SIZE yes|no   waits up to ten seconds until such a window is
#                             there (yes) or gone (no)
#   inside_of WINDOW          where its inside starts on the screen, in X and Y
#   need_tools PROGRAM...     skips (77) when one of them is missing
#   need_xclip                skips (77) without xclip; call before e2e_start
#   paste TEXT                the focused box's text replaced by TEXT, pasted
# Failures are counted in $failures; e2e_finish exits with them.

e2e_start() {
  out=$1
  mkdir -p "$out"
  need_tools Xvfb xdotool import compare
  # The server picks a free display number itself and writes it to a file:
  # several checks may start servers at the same moment.
  local number_file="$out/.display"
  rm -f "$number_file"
  # -noreset: the server would reset when its last client leaves, refusing
  # whoever connects in that moment (the program, dbus-launch).
  Xvfb -displayfd 7 -noreset -screen 0 "${E2E_SCREEN:-1024x768}x24" -nolisten tcp 7>"$number_file" >/dev/null 2>&1 &
  xvfb=$!
  app=""
  trap e2e_cleanup EXIT
  for _ in $(seq 100); do
    [ -s "$number_file" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
  done
  [ -s "$number_file" ] || { echo "SKIP: no X server could be started"; exit 77; }
  export DISPLAY=:$(tr -d '[:space:]' <"$number_file")
  for _ in $(seq 50); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! xdotool getmouselocation >/dev/null 2>&1; then
    echo "SKIP: the X server on $DISPLAY does not answer"
    exit 77
  fi
  failures=0
}

e2e_cleanup() {
  [ -n "${clip:-}" ] && kill "$clip" 2>/dev/null
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
}

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Skips the check (exit 77) when one of the named programs is missing.
need_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is not installed (tools/bootstrap installs it)"
      exit 77
    fi
  done
}

# Arabic goes in through the clipboard: xdotool's typing garbles it at times.
need_xclip() { need_tools xclip; }
# Replaces the focused box's text with $1, pasted from the clipboard; the
# clipboard's owner lives until the next paste or the end of the check.
paste() {
  [ -n "${clip:-}" ] && kill "$clip" 2>/dev/null
  printf '%s' "$1" | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
  clip=$!
  sleep 0.3
  xdotool key ctrl+a ctrl+v
}
pass() { echo "ok: $*"; }

start_program() {
  "$1" >>"$out/program.log" 2>&1 &
  app=$!
}

wait_window() {
  timeout 30 xdotool search --sync --onlyvisible --name "$1" >/dev/null 2>&1
}

shot() { sleep 0.5; import -window root "$out/$1.png"; }

# Pixels that differ between two screenshots inside a rectangle WxH+X+Y.
changed() {
  convert "$out/$1.png" -crop "$3" +repage "$out/a.tmp.png"
  convert "$out/$2.png" -crop "$3" +repage "$out/b.tmp.png"
  compare -metric AE "$out/a.tmp.png" "$out/b.tmp.png" null: 2>&1 | cut -d' ' -f1
  rm -f "$out/a.tmp.png" "$out/b.tmp.png"
}
# Retakes screenshot $2 until the rectangle differs from screenshot $1, for
# up to about ten seconds, so that a slow machine is waited for, not failed.
expect_change() { # before after rectangle what
  local n=0
  for _ in $(seq 20); do
    n=$(changed "$1" "$2" "$3")
    [ "${n:-0}" -gt 50 ] 2>/dev/null && break
    shot "$2"
  done
  if [ "${n:-0}" -gt 50 ] 2>/dev/null; then pass "$4 ($n pixels changed)"; else fail "$4: nothing changed in $3"; fi
}
expect_same() {
  local n; n=$(changed "$1" "$2" "$3")
  if [ "${n:-1}" -eq 0 ] 2>/dev/null; then pass "$4"; else fail "$4: $n pixels changed in $3"; fi
}
click() { xdotool mousemove "$1" "$2" click 1; }

window_of() { # title size
  local w
  for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
    xdotool getwindowgeometry "$w" | grep -q "Geometry: $2" && { echo "$w"; return 0; }
  done
  return 1
}
wait_window_of() { for _ in $(seq 50); do window_of "$1" "$2" && return 0; sleep 0.2; done; return 1; }
shown() { # title size yes|no
  local seen
  for _ in $(seq 50); do
    if window_of "$1" "$2" >/dev/null; then seen=yes; else seen=no; fi
    [ "$seen" = "$3" ] && return 0
    sleep 0.2
  done
  return 1
}
# xdotool's own answer is off by the frame under a window manager that
# reparents; xwininfo's is not.
inside_of() { # window
  X=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p')
  Y=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p')
}

# The borderless windows open centred on the 1024 x 768 screen.
menu_x=$(((1024 - 640) / 2))
menu_y=$(((768 - 480) / 2))
# Clicks a point of the main menu given in the menu's own pixels.
click_menu() { click $((menu_x + $1)) $((menu_y + $2)); }

# Starts the program and waits for the splash to hand over to the menu.
start_at_menu() {
  start_program "$1"
  wait_window '^Delvo Soft$' || { fail "the splash did not appear"; return 1; }
  wait_window '^Velkaram$' || { fail "the main menu did not appear"; return 1; }
  sleep 0.5
}

# Waits up to $1 seconds for the program to end; then its exit code is in
# $rc. Fails (returns 1) if it still runs.
wait_for_end() {
  for _ in $(seq $(($1 * 10))); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && return 1
  wait "$app"; rc=$?
  app=""
}

e2e_finish() {
  echo "screenshots in $out"
  [ "$failures" -eq 0 ] || exit 1
  exit 0
}
