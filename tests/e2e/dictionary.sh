#!/usr/bin/env bash
# The dictionary in the built program on a real X server: opened from the
# main menu, Next, a click on a dream cell of the grid, an Arabic search
# typed into the search box, Enter on an empty search box twice around its
# prompt, and a start with no database. Screenshots go to OUT_DIR for a
# person to look at; each step also checks that the part of the window it
# should change did change.
#   dictionary.sh PROGRAM OUT_DIR
set -u
program=$1
. "$(dirname "$0")/lib.sh"
e2e_start "$2"
rm -f "$out"/*.png

# Regions of the dictionary window (pixels; with no window manager the
# window sits at 0,0).
item_box=776x40+8+224
label_box=257x24+528+0
grid_box=776x100+8+458
prompt='من فضلك ادخل نص البحث'

start_at_menu "$program" || e2e_finish
click_menu 312 348 # the dictionary area
sleep 1
shot 1-start

click 648 96 # Next
shot 2-next
expect_change 1-start 2-next "$item_box" "Next shows another dream"
expect_same 1-start 2-next "$label_box" "Next leaves the record counter alone"

click 337 492 # the dream cell of the grid's first row
shot 3-grid-click
expect_change 2-next 3-grid-click "$label_box" "a dream cell sets the record counter"
expect_change 2-next 3-grid-click "$item_box" "a dream cell shows its entry"

# Enter on the empty search box asks for a text; dismissed with the mouse,
# the next Enter asks again.
click 228 52 # the search box
xdotool key Return
if wait_window "$prompt"; then
  shot 4-prompt
  box=$(xdotool search --onlyvisible --name "$prompt" | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$box")"
  click $((X + 50)) $((Y + HEIGHT - 22)) # its OK button
  for _ in $(seq 50); do xdotool search --onlyvisible --name "$prompt" >/dev/null 2>&1 || break; sleep 0.1; done
  if xdotool search --onlyvisible --name "$prompt" >/dev/null 2>&1; then
    fail "the prompt did not close on its OK button"
  else
    xdotool key Return
    if wait_window "$prompt"; then pass "Enter after the prompt asks again"; else fail "Enter after the prompt was lost"; fi
    xdotool key Return
  fi
else
  fail "Enter on an empty search box gave no prompt"
fi
sleep 0.5

click 228 52 # the search box
xdotool type --delay 60 'رؤيا'
xdotool key Return
shot 5-search
expect_change 3-grid-click 5-search "$grid_box" "Enter in the search box lists the results"

kill "$app" 2>/dev/null
wait "$app" 2>/dev/null
app=""

# Without its database the dictionary reports the error and the program ends.
bare=$(mktemp -d)
cp "$program" "$bare/"
cp "$(dirname "$program")/KELVRA" "$bare/"
start_at_menu "$bare/$(basename "$program")" || e2e_finish
click_menu 312 348
if wait_window '^Velkaram$' && sleep 1 && [ "$(xdotool search --onlyvisible --name '^Velkaram$' | wc -l)" -ge 1 ]; then
  shot 6-no-database
  xdotool key Return
  if wait_for_end 5; then
    [ "$rc" -ne 0 ] && pass "no database: error report, then the program ends ($rc)" || fail "no database: exit code 0"
  else
    fail "the program did not end after the error report"
  fi
else
  fail "no error report appeared without a database"
fi
rm -rf "$bare"
e2e_finish
