#!/usr/bin/env bash
# The program's start and its hub on a real X server with a small window
# manager: the splash with its bar, the menu about 3.15 s later, the
# dictionary opened and left again, the sound toggle, minimize, the menu
# restored after each window it opens, and exit.
#   shell.sh PROGRAM OUT_DIR
set -u
program=$1
. "$(dirname "$0")/lib.sh"
e2e_start "$2"
rm -f "$out"/*.png
if ! command -v openbox >/dev/null; then
  echo "SKIP: openbox is not installed (tools/bootstrap installs it)"
  exit 77
fi
wm=""
trap '[ -n "$wm" ] && kill $wm 2>/dev/null; e2e_cleanup' EXIT

now() { date +%s%N; }
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }
# Counts pixels of one colour inside a rectangle of a screenshot.
pixels_of() { # shot rectangle colour
  convert "$out/$1.png" -crop "$2" +repage -fill black +opaque "$3" -fill white -opaque "$3" \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}

started=$(now)
start_program "$program"
wait_window '^Delvo Soft$' || { fail "the splash did not appear"; e2e_finish; }
splash_at=$(now)
sleep 1.2
shot 1-splash
# The bar fills from the left in its lavender blue: some of it by now.
splash_x=$(((1024 - 679) / 2)); splash_y=$(((768 - 176) / 2))
bar=$(pixels_of 1-splash "665x25+$((splash_x + 8))+$((splash_y + 144))" "rgb(128,128,255)")
[ "${bar:-0}" -gt 500 ] && pass "the splash shows its bar ($bar pixels)" || fail "no progress bar on the splash ($bar)"

wait_window '^Velkaram$' || { fail "the main menu did not appear"; e2e_finish; }
menu_at=$(now)
after=$(((menu_at - started) / 1000000))
echo "splash on screen $(((splash_at - started) / 1000000)) ms after start; menu $after ms after start"
# Twenty-one ticks of 150 ms from the splash's load.
[ "$after" -ge 3100 ] && pass "the menu follows the full bar ($after ms)" || fail "the menu came after only $after ms"
[ "$(visible '^Delvo Soft$')" -eq 0 ] && pass "the splash is gone" || fail "the splash is still on screen"
sleep 0.5
shot 2-menu

click_menu 312 348 # the dictionary area
if timeout 30 bash -c 'until [ "$(xdotool search --onlyvisible --name "^Velkaram$" | wc -l)" -ge 1 ] && xdotool search --onlyvisible --name "^Velkaram$" getwindowgeometry %@ | grep -q 792x; do sleep 0.2; done'; then
  pass "the dictionary area opens the dictionary"
else
  fail "the dictionary did not open"
fi
sleep 1
shot 3-dictionary
dict=$(xdotool search --onlyvisible --name '^Velkaram$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$dict")"
click $((X + 552)) $((Y + 96)) # Back
sleep 1
if xdotool search --onlyvisible --name '^Velkaram$' getwindowgeometry %@ 2>/dev/null | grep -q '640x480'; then
  pass "Back returns to the menu"
else
  fail "Back did not return to the menu"
fi
shot 4-back

# The sound area: the first click starts the track and says so in a box;
# the second stops it without a word.
click_menu 552 96
sleep 1.5
if [ "$(visible '^Velkaram$')" -ge 2 ]; then
  pass "the sound area starts the track and shows its message"
  shot 5-sound-message
  xdotool key Return
  sleep 0.8
else
  fail "no message after starting the track"
fi
click_menu 552 96
sleep 1.5
[ "$(visible '^Velkaram$')" -eq 1 ] && pass "the second click stops the track without a message" || fail "a box after stopping the track"
# Hovering shows the state in the area's tooltip.
xdotool mousemove $((menu_x + 300)) $((menu_y + 200))
sleep 0.3
xdotool mousemove $((menu_x + 548)) $((menu_y + 94))
sleep 0.2
xdotool mousemove $((menu_x + 552)) $((menu_y + 96))
sleep 2
shot 6-sound-tooltip
expect_change 4-back 6-sound-tooltip "200x60+$((menu_x + 450))+$((menu_y + 105))" "hovering the sound area shows its tooltip"

# Minimizing needs a window manager to take the window away.
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
sleep 1.5
click_menu 608 72 # minimize
sleep 1
[ "$(visible '^Velkaram$')" -eq 0 ] && pass "minimize hides the menu" || fail "the menu is still shown after minimize"
menu=""
for w in $(xdotool search --name '^Velkaram$'); do
  xdotool getwindowgeometry "$w" | grep -q '640x480' && menu=$w
done
xdotool windowactivate --sync "$menu" >/dev/null 2>&1 || xdotool windowmap "$menu"
sleep 1
shot 7-restored
eval "$(xdotool getwindowgeometry --shell "$menu")"
menu_x=$X; menu_y=$Y

# Whatever happened to the menu before (minimized, then brought back by the
# desktop), leaving another window shows it restored, on top and active.
wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }
for route in dictionary encyclopedia about; do
  click_menu 608 72 # minimize
  sleep 1
  xdotool windowactivate --sync "$menu" >/dev/null 2>&1
  sleep 0.8
  case $route in
    dictionary)
      click_menu 312 348
      w=$(wait_window_of '^Velkaram$' 792x563) || { fail "$route did not open"; continue; }
      sleep 0.5; inside_of "$w"
      click $((X + 552)) $((Y + 96)) ;; # Back
    encyclopedia)
      click_menu 168 96
      w=$(wait_window_of '^موسوعة Velkaram$' 792x566) || { fail "$route did not open"; continue; }
      sleep 0.5; inside_of "$w"
      click $((X + 676)) $((Y + 540)) ;; # Exit
    about)
      click_menu 304 296
      w=$(wait_window_of '^حول البرنامج$' 761x508) || { fail "$route did not open"; continue; }
      sleep 0.5; inside_of "$w"
      click $((X + 380)) $((Y + 468)) ;; # the credits' strip
  esac
  state=""
  for _ in $(seq 25); do
    state=$(wm_state "$menu")
    [ "$state" = Normal ] && [ "$(xdotool getactivewindow 2>/dev/null)" = "$menu" ] && break
    sleep 0.2
  done
  shot "8-back-from-$route"
  if [ "$state" = Normal ] && window_of '^Velkaram$' 640x480 >/dev/null; then
    pass "leaving the $route shows the menu restored"
  else
    fail "after the $route the menu is not on screen (WM_STATE ${state:-none})"
  fi
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$menu" ] && pass "the menu is active after the $route" \
    || fail "the menu is not the active window after the $route"
done

click_menu 614 130 # exit
if wait_for_end 5; then
  [ "$rc" -eq 0 ] && pass "exit ends the program (code 0)" || fail "exit ended with code $rc"
else
  fail "exit did not end the program"
fi
e2e_finish
