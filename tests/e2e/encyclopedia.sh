#!/usr/bin/env bash
# The encyclopedia in the built program on a real X server: opened from the
# main menu, paged to the last article and back, left by Exit. Screenshots go
# to OUT_DIR for a person to look at; each step also checks that the part of
# the screen it should change did change.
#   encyclopedia.sh PROGRAM OUT_DIR
set -u
program=$1
. "$(dirname "$0")/lib.sh"
e2e_start "$2"
rm -f "$out"/*.png

# The window opens centred on the 1024 x 768 screen; with no window manager
# its client area starts right there.
win_x=$(((1024 - 792) / 2))
win_y=$(((768 - 566) / 2))
at() { echo "$1x$2+$((win_x + $3))+$((win_y + $4))"; } # W H X Y in window pixels
click_window() { click $((win_x + $1)) $((win_y + $2)); }
window=$(at 792 566 0 0)
# Inside the subtopic box: its frame shows where the focus is.
subtopic=$(at 761 37 16 22)
body=$(at 777 353 8 72)
next_button=$(at 105 33 680 480)
prev_button=$(at 105 33 568 480)
menu=640x480+$menu_x+$menu_y

start_at_menu "$program" || e2e_finish
shot 1-menu

click_menu $((136 + 65 / 2)) $((80 + 33 / 2))
if wait_window '^موسوعة Velkaram$'; then pass "the encyclopedia opens from the menu"; else fail "no encyclopedia window"; fi
shot 2-first
expect_change 1-menu 2-first "$window" "the encyclopedia covers the menu"

click_window 620 456 # Last
shot 3-last
expect_change 2-first 3-last "$subtopic" "Last shows another subtopic"
expect_change 2-first 3-last "$body" "Last shows another body"

click_window 732 496 # Next, on the last article
shot 4-next-on-last
expect_same 3-last 4-next-on-last "$subtopic" "Next on the last article keeps it on display"
expect_change 3-last 4-next-on-last "$next_button" "Next on the last article disables Next"

click_window 620 496 # Prev
shot 5-prev
expect_change 4-next-on-last 5-prev "$subtopic" "Prev shows the article before the last"
expect_change 4-next-on-last 5-prev "$next_button" "Prev enables Next again"

click_window 732 456 # First
shot 6-first-again
expect_same 2-first 6-first-again "$subtopic" "First goes back to the first article"
expect_same 2-first 6-first-again "$body" "First shows the first body again"

click_window 732 496 # Next, then Prev on the first article
click_window 620 496
click_window 620 496
shot 7-prev-on-first
expect_same 2-first 7-prev-on-first "$subtopic" "Prev on the first article keeps it on display"
expect_change 2-first 7-prev-on-first "$prev_button" "Prev on the first article disables Prev"

click_window 676 540 # Exit
shot 8-menu-again
expect_change 7-prev-on-first 8-menu-again "$window" "Exit takes the encyclopedia away"
expect_same 1-menu 8-menu-again "$menu" "Exit brings the menu back as it was"
if xdotool search --onlyvisible --name '^موسوعة Velkaram$' >/dev/null 2>&1; then
  fail "the encyclopedia window is still showing after Exit"
else
  pass "the encyclopedia window is gone"
fi
kill -0 "$app" 2>/dev/null && pass "the program runs on at the menu" || fail "the program ended on Exit"

e2e_finish
