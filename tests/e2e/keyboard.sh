#!/usr/bin/env bash
# The whole program from the keyboard alone, on a real X server with no
# window manager and not one mouse event: the menu's focus ring, Tab,
# Shift+Tab and the arrows among its areas, the dictionary opened with
# Return, a search pasted and run, the grid reached with Tab and its entries
# shown with Return, Back, the encyclopedia and its Exit, the about box and
# Escape, and the exit area that ends the program. Screenshots go to OUT_DIR;
# each step checks that what it should change on screen did change.
#   keyboard.sh PROGRAM OUT_DIR
set -u
program=$1
. "$(dirname "$0")/lib.sh"
need_xclip
e2e_start "$2"
rm -f "$out"/*.png

# The menu's areas in its own pixels (left top width height), in the order
# Tab visits them.
declare -A area=(
  [help]="592 0 45 52" [minimize]="592 56 32 32" [sound]="520 80 65 33"
  [encyclopedia]="136 80 65 33" [exit]="592 104 45 53" [about]="280 272 48 48"
  [dictionary]="240 336 145 25")
# An area and the few pixels around it, where its ring is drawn, on the
# screen. Only three: help and minimize are four apart, and the help ring
# still reaches into minimize's, which no step looks for.
ring_of() {
  local l t w h
  read -r l t w h <<<"${area[$1]}"
  echo "$((w + 6))x$((h + 6))+$((menu_x + l - 3))+$((menu_y + t - 3))"
}
menu_box=640x480+$menu_x+$menu_y

# Menu, dictionary and encyclopedia are told apart by their sizes.
menu_shown() { shown '^Velkaram$' 640x480 "$1"; }
dictionary_shown() { shown '^Velkaram$' 792x563 "$1"; }
encyclopedia_shown() { shown '^موسوعة Velkaram$' 792x566 "$1"; }
about_shown() { shown '^حول البرنامج$' 761x508 "$1"; }

# Shift+Tab, at most TRIES times, until the ring is on the button (BAND, as
# against screenshot BEFORE), then Return on it: the menu comes back and the
# window (told by its *_shown check) goes.
leave_by() { # button tries before band shot window_shown
  if press_until_ring shift+Tab "$2" "$3" "$4" "$5"; then
    pass "Shift+Tab reaches the $1 button"
    xdotool key Return
    menu_shown yes && pass "Return on $1 brings the menu back" || fail "no menu after Return on $1"
    "$6" no && pass "the window left by $1 closed" || fail "the window is still showing after $1"
  else
    fail "$2 x Shift+Tab never put the focus on $1"
    e2e_finish
  fi
}

# Retakes screenshot $2 until the rectangle is as in $1, for up to about
# five seconds, then checks it: a window that comes back may still paint.
expect_same_soon() { # before after rectangle what
  for _ in $(seq 10); do
    [ "$(changed "$1" "$2" "$3")" = 0 ] && break
    shot "$2"
  done
  expect_same "$@"
}
# A screenshot once the rectangle has stopped changing: a reference taken
# while a window still paints would show a change that no key made.
steady() { # name rectangle
  shot "$1"
  for _ in $(seq 10); do
    shot "$1.next"
    [ "$(changed "$1" "$1.next" "$2")" = 0 ] && break
    mv "$out/$1.next.png" "$out/$1.png"
  done
  rm -f "$out/$1.next.png"
}

# Presses KEY up to LIMIT times until RECT differs from the same rectangle
# of screenshot REFERENCE, taken while that control had no focus: the ring
# drawn there says the focus has arrived. A changed tab order costs presses,
# never a loop without end; a ring painted late is passed by and met again
# on the next round.
press_until_ring() { # key limit reference rect name
  local i n
  for i in $(seq "$2"); do
    xdotool key "$1"
    shot "$5"
    n=$(changed "$3" "$5" "$4")
    if [ "${n:-0}" -gt 50 ] 2>/dev/null; then
      echo "  the focus reached it after $i x $1"
      return 0
    fi
  done
  return 1
}

# 1. The menu takes the keyboard by itself, the focus on the dictionary area.
start_at_menu "$program" || e2e_finish
menu_shown yes || { fail "no 640x480 menu"; e2e_finish; }
shot 01-menu-focus-ring
xdotool key Tab
shot 02-menu-tab
expect_change 01-menu-focus-ring 02-menu-tab "$(ring_of dictionary)" "the dictionary area had the focus ring; Tab takes it away"
expect_change 01-menu-focus-ring 02-menu-tab "$(ring_of help)" "Tab from the last area wraps to the first, help"
# Without a ring that moves, nothing further can be found by the keyboard.
[ "$failures" -eq 0 ] || e2e_finish

# 2. Shift+Tab and the arrows walk the areas without pressing them.
xdotool key shift+Tab
shot 03-menu-back-to-dictionary
expect_change 02-menu-tab 03-menu-back-to-dictionary "$(ring_of dictionary)" "Shift+Tab from help wraps back to the dictionary area"
expect_same_soon 01-menu-focus-ring 03-menu-back-to-dictionary "$menu_box" "Shift+Tab brings the ring back to the dictionary area"
xdotool key shift+Tab
shot 04-menu-about
expect_change 03-menu-back-to-dictionary 04-menu-about "$(ring_of about)" "Shift+Tab moves back to the about area"
expect_change 03-menu-back-to-dictionary 04-menu-about "$(ring_of dictionary)" "the dictionary area loses the ring"
xdotool key shift+Tab
shot 05-menu-exit
expect_change 04-menu-about 05-menu-exit "$(ring_of exit)" "Shift+Tab moves on to the exit area"
xdotool key Tab Tab
shot 06-menu-tab-tab
expect_change 05-menu-exit 06-menu-tab-tab "$(ring_of dictionary)" "Tab twice moves the ring off the exit area"
expect_same_soon 03-menu-back-to-dictionary 06-menu-tab-tab "$menu_box" "Tab twice from exit reaches the dictionary area"
xdotool key Up
shot 07-menu-up
expect_change 06-menu-tab-tab 07-menu-up "$(ring_of about)" "Up moves the ring"
expect_same_soon 04-menu-about 07-menu-up "$menu_box" "Up from the dictionary area goes to the about area above it"
xdotool key Down
shot 08-menu-down
expect_change 07-menu-up 08-menu-down "$(ring_of dictionary)" "Down moves the ring"
expect_same_soon 03-menu-back-to-dictionary 08-menu-down "$menu_box" "Down goes back to the dictionary area"
menu_shown yes && pass "moving the focus opened nothing" || fail "the menu went away while the focus moved"

# 3. Return on the dictionary area; the search box has the keyboard.
xdotool key Return
if dictionary_shown yes; then pass "Return opens the dictionary"; else fail "Return on the dictionary area opened no dictionary"; e2e_finish; fi
menu_shown no && pass "the menu hid" || fail "the menu is still showing"
inside_of "$(window_of '^Velkaram$' 792x563)"
at() { echo "$1x$2+$((X + $3))+$((Y + $4))"; } # W H X Y in the dictionary's pixels
search_box=$(at 203 26 126 38)
key_box=$(at 776 40 8 152)
item_box=$(at 776 40 8 224)
text_box=$(at 776 120 8 296)
grid_box=$(at 776 100 8 458)
dream_column=$(at 180 100 246 458)
counter_box=$(at 257 24 528 0)
back_band=$(at 89 25 508 84) # inside the Back button, a little wider
steady 09-dictionary "$(at 776 400 8 130)" # below the search box and its caret
paste 'قطة'
shot 10-pasted
expect_change 09-dictionary 10-pasted "$search_box" "the pasted word is in the search box"
xdotool key Return
shot 11-searched
expect_change 10-pasted 11-searched "$grid_box" "Return runs the search and fills the grid"
dictionary_shown yes || fail "the dictionary went away on Return"

# 4. Tab to the grid, on the first row's dream; Return shows its entry,
# Down goes to the next row.
xdotool key Tab
shot 12-dictionary-focus-in-grid
expect_change 11-searched 12-dictionary-focus-in-grid "$dream_column" "Tab from the search box puts the focus on a dream in the grid"
xdotool key Return
shot 13-first-entry
expect_change 12-dictionary-focus-in-grid 13-first-entry "$key_box" "Return on a dream cell shows the row's keyword"
expect_change 12-dictionary-focus-in-grid 13-first-entry "$item_box" "Return on a dream cell shows the row's dream"
expect_change 12-dictionary-focus-in-grid 13-first-entry "$text_box" "Return on a dream cell shows the row's interpretation"
expect_change 12-dictionary-focus-in-grid 13-first-entry "$counter_box" "Return on a dream cell sets the record counter"
xdotool key Down
shot 14-down
expect_change 13-first-entry 14-down "$dream_column" "Down moves to the next row's dream"
xdotool key Return
shot 15-second-entry
# Rows of one keyword differ in their dream.
expect_change 14-down 15-second-entry "$item_box" "Return shows the next row's dream"

# 5. Back, reached from the grid with Shift+Tab.
leave_by Back 30 15-second-entry "$back_band" 16-back-focused dictionary_shown

# 6. The focus is on the dictionary area again; the encyclopedia, three
# areas back, and Right and Left on its row.
shot 17-menu-again
expect_same_soon 01-menu-focus-ring 17-menu-again "$menu_box" "the menu comes back with the focus on the dictionary area"
xdotool key shift+Tab shift+Tab shift+Tab
shot 18-menu-encyclopedia
expect_change 17-menu-again 18-menu-encyclopedia "$(ring_of encyclopedia)" "three Shift+Tab reach the encyclopedia area"
xdotool key Right
shot 19-menu-right
expect_change 18-menu-encyclopedia 19-menu-right "$(ring_of sound)" "Right goes to the sound area on the same row"
xdotool key Left
shot 20-menu-left
expect_change 19-menu-right 20-menu-left "$(ring_of encyclopedia)" "Left moves the ring"
expect_same_soon 18-menu-encyclopedia 20-menu-left "$menu_box" "Left comes back to the encyclopedia area"
xdotool key Return
if encyclopedia_shown yes; then pass "Return opens the encyclopedia"; else fail "Return on the encyclopedia area opened nothing"; e2e_finish; fi
menu_shown no && pass "the menu hid" || fail "the menu is still showing"
ency=$(window_of '^موسوعة Velkaram$' 792x566)
inside_of "$ency"
exit_band=$(at 225 33 564 524) # inside Exit, a little wider
steady 21-encyclopedia "$(at 400 130 392 432)"
leave_by Exit 15 21-encyclopedia "$exit_band" 22-exit-focused encyclopedia_shown

# 7. The about area, pressed with the space bar; Escape leaves the box.
shot 23-menu-after-encyclopedia
if press_until_ring shift+Tab 8 02-menu-tab "$(ring_of about)" 24-menu-about; then
  pass "Shift+Tab reaches the about area"
else
  fail "8 x Shift+Tab never put the focus on the about area"
  e2e_finish
fi
xdotool key space
if about_shown yes; then pass "space on the about area opens the about box"; else fail "no about box"; e2e_finish; fi
menu_shown no && pass "the menu hid" || fail "the menu is still showing"
shot 25-about
xdotool key Escape
menu_shown yes && pass "Escape brings the menu back" || fail "no menu after Escape"
about_shown no && pass "the about box closed" || fail "the about box is still showing"

# 8. The exit area ends the program.
shot 26-menu-after-about
if press_until_ring shift+Tab 8 01-menu-focus-ring "$(ring_of exit)" 27-menu-exit; then
  pass "Shift+Tab reaches the exit area"
else
  fail "8 x Shift+Tab never put the focus on the exit area"
  e2e_finish
fi
xdotool key Return
if wait_for_end 5; then
  [ "$rc" -eq 0 ] && pass "Return on the exit area ends the program" || fail "the program ended with code $rc"
else
  fail "the program still runs 5 s after Return on the exit area"
fi
e2e_finish
