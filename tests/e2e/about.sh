#!/usr/bin/env bash
# The about box in the built program on a real X server: opened from the
# menu, its credits rise, a click on the strip brings the menu back; opened
# from the dictionary's About button, a click on the picture brings the menu
# back too. Screenshots go to OUT_DIR for a person to look at.
#   about.sh PROGRAM OUT_DIR
set -u
. "$(dirname "$0")/lib.sh"
e2e_start "$2"
rm -f "$out"/*.png

# The about box, 761 x 508, centred on the 1024 x 768 screen.
about_x=$(((1024 - 761) / 2))
about_y=$(((768 - 508) / 2))
strip_box=745x73+$((about_x + 8))+$((about_y + 432))
about_box=761x508+$about_x+$about_y
click_strip() { click $((about_x + 8 + 372)) $((about_y + 432 + 36)); }
click_picture() { click $((about_x + 88 + 286)) $((about_y + 56 + 191)); }

# The menu and the dictionary share their title; their sizes tell them apart.
menu_shown() { shown '^Velkaram$' 640x480 "$1"; }
dictionary_shown() { shown '^Velkaram$' 792x563 "$1"; }
about_shown() { shown '^حول البرنامج$' 761x508 "$1"; }

start_at_menu "$1" || e2e_finish
shot menu

# From the menu's about picture.
click_menu $((280 + 24)) $((272 + 24))
about_shown yes && pass "the about picture opens the about box" || fail "no about box after the about picture"
menu_shown no && pass "the menu hid" || fail "the menu is still showing"
shot about1
shot about2
expect_change about1 about2 "$strip_box" "the credits rise"
click_strip
menu_shown yes && pass "a click on the strip brings the menu back" || fail "no menu after the strip click"
about_shown no && pass "the about box closed" || fail "the about box is still showing"
shot menu_again
expect_change about2 menu_again "$about_box" "the screen shows the menu again"

# From the dictionary's About button (the window sits at 0,0 without a
# window manager; the button is at 504,16 in Frame3 at 8,24).
click_menu $((240 + 72)) $((336 + 12))
dictionary_shown yes && pass "the dictionary opened" || fail "no dictionary"
shot dictionary
click $((8 + 504 + 40)) $((24 + 16 + 16))
about_shown yes && pass "About opens the about box" || fail "no about box after About"
dictionary_shown no && pass "the dictionary hid" || fail "the dictionary is still showing"
shot about_from_dictionary
click_picture
menu_shown yes && pass "a click on the picture brings the menu back" || fail "no menu after the picture click"
about_shown no && pass "the about box closed again" || fail "the about box is still showing"
dictionary_shown no && pass "the dictionary stays hidden" || fail "the dictionary came back"
shot menu_last

kill -0 "$app" 2>/dev/null && pass "the program still runs" || fail "the program ended"
e2e_finish
