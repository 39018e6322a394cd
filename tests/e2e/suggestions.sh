#!/usr/bin/env bash
# The reader's suggestions in the built program on a real X server: a dream
# pasted into the search box as readers write it, the list under the box,
# Down and Enter to show the first suggestion's entry, Escape to close the
# list again. The Arabic goes through the clipboard, as xdotool's typing
# garbles it at times. Screenshots go to OUT_DIR.
#   suggestions.sh PROGRAM OUT_DIR
set -u
program=$1
. "$(dirname "$0")/lib.sh"
need_xclip
e2e_start "$2"
rm -f "$out"/*.png

# Regions of the dictionary window (pixels; with no window manager the
# window sits at 0,0): the list drops under the search box; the entry's
# boxes and the record counter.
list_box=440x160+120+72
item_box=776x40+8+224
label_box=257x24+528+0

start_at_menu "$program" || e2e_finish
click_menu 312 348 # the dictionary area
sleep 1
shot 1-dictionary

click 228 52 # the search box
paste 'كلاب تطاردني'
sleep 1
shot 2-suggestions
expect_change 1-dictionary 2-suggestions "$list_box" "the suggestion list drops under the search box"

xdotool key Down Return
shot 3-chosen
expect_change 2-suggestions 3-chosen "$item_box" "Down and Enter show the first suggestion's entry"
expect_change 2-suggestions 3-chosen "$list_box" "the list closes when an entry is chosen"
expect_change 1-dictionary 3-chosen "$label_box" "the record counter follows the chosen entry"

click 228 52
paste 'ثعابين'
sleep 1
shot 4-again
expect_change 3-chosen 4-again "$list_box" "the list drops again for another dream"
xdotool key Escape
shot 5-escape
expect_change 4-again 5-escape "$list_box" "Escape closes the list"
if window_of '^Velkaram$' 800x600 >/dev/null || xdotool search --onlyvisible --name '^Velkaram$' >/dev/null; then
  pass "Escape leaves the dictionary open"
else
  fail "Escape closed the dictionary"
fi
e2e_finish
