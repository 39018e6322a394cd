#!/usr/bin/env bash
# Every window's whole frame on a small screen (800 x 600) under a window
# manager that adds title bars: the menu, the dictionary, the encyclopedia
# and the about box, each opened from the menu. A centred window is centred
# by its frame, not by its inside.
#   placement.sh PROGRAM OUT_DIR
set -u
program=$1
E2E_SCREEN=800x600
. "$(dirname "$0")/lib.sh"
e2e_start "$2"
rm -f "$out"/*.png
need_tools openbox xprop xwininfo
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null; e2e_cleanup' EXIT
sleep 1

# The frame around a window, as left top right bottom on the screen, once
# the window manager has framed it and the program has placed it.
frame_of() {
  local x y w h ext
  x=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p')
  w=$(xwininfo -id "$1" | sed -n 's/.*Width: *//p')
  h=$(xwininfo -id "$1" | sed -n 's/.*Height: *//p')
  ext=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
  IFS=, read -r l r t b <<<"${ext:-0,0,0,0}"
  echo "$((x - l)) $((y - t)) $((x + w + r)) $((y + h + b))"
}
check() { # what window centred
  sleep 1.5
  local left top right bottom
  read -r left top right bottom <<<"$(frame_of "$2")"
  shot "$1"
  if [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ "$right" -le 800 ] && [ "$bottom" -le 600 ]; then
    pass "the $1's whole frame is on the screen ($left,$top to $right,$bottom)"
  else
    fail "the $1's frame runs off the 800 x 600 screen: $left,$top to $right,$bottom"
  fi
  if [ "$3" = centred ]; then
    local dx=$(((left - (800 - right)))) dy=$(((top - (600 - bottom))))
    if [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ]; then pass "the $1 is centred by its frame"
    else fail "the $1 is not centred: $left,$top to $right,$bottom"; fi
  fi
}
start_program "$program"
menu=$(wait_window_of '^Velkaram$' 640x480) || { fail "the menu did not appear"; e2e_finish; }
check menu "$menu" centred

# A dock or task bar finds the launcher of a running window by the class in
# WM_CLASS, which the desktop entry names.
entry=$(dirname "$0")/../../packaging/org.example.velkaram.desktop
wanted=$(sed -n 's/^StartupWMClass=//p' "$entry")
class=$(xprop -id "$menu" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
if [ -n "$wanted" ] && [ "$class" = "$wanted" ]; then pass "the window's class \"$class\" is the launcher's StartupWMClass"
else fail "the window's class \"$class\" is not the launcher's StartupWMClass \"$wanted\""; fi

inside_of "$menu"; click $((X + 312)) $((Y + 348)) # the dictionary area
w=$(wait_window_of '^Velkaram$' 792x563) || { fail "the dictionary did not open"; e2e_finish; }
check dictionary "$w" any
inside_of "$w"; click $((X + 552)) $((Y + 96)) # Back
wait_window_of '^Velkaram$' 640x480 >/dev/null || fail "Back did not bring the menu"

inside_of "$menu"; click $((X + 168)) $((Y + 96)) # the encyclopedia area
w=$(wait_window_of '^موسوعة Velkaram$' 792x566) || { fail "the encyclopedia did not open"; e2e_finish; }
check encyclopedia "$w" centred
inside_of "$w"; click $((X + 676)) $((Y + 540)) # Exit
wait_window_of '^Velkaram$' 640x480 >/dev/null || fail "Exit did not bring the menu"

inside_of "$menu"; click $((X + 304)) $((Y + 296)) # the about picture
w=$(wait_window_of '^حول البرنامج$' 761x508) || { fail "the about box did not open"; e2e_finish; }
check about "$w" centred
e2e_finish
