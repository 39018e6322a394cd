#!/usr/bin/env bash
# Reading aids in the built program on a real X server: Ctrl+= three times
# (150 %), Ctrl+0 back to the design's pixels, the right-click menu of the
# interpretation, and the dictionary under a desktop with a dark palette and
# another style (qt6ct's "darker" scheme), which must look as designed.
# Screenshots go to OUT_DIR for a person to look at.
#   reading.sh PROGRAM OUT_DIR
set -u
program=$1
. "$(dirname "$0")/lib.sh"
e2e_start "$2"
rm -f "$out"/*.png

# Regions of the dictionary window (pixels; with no window manager it sits
# at 0,0), none of them holding the search box's blinking caret.
boxes=776x300+8+150
options=200x30+150+75
check_and_list=150x70+355+35
interpretation=776x115+8+300

open_dictionary() {
  start_at_menu "$program" || e2e_finish
  click_menu 312 348 # the dictionary area
  wait_window_of '^Velkaram$' 792x563 >/dev/null || { fail "the dictionary did not open"; e2e_finish; }
  sleep 1
}

open_dictionary
shot 1-designed
xdotool key ctrl+equal ctrl+equal ctrl+equal
shot 2-zoom-150
expect_change 1-designed 2-zoom-150 "$interpretation" "Ctrl+= enlarges the interpretation"
xdotool key ctrl+0
shot 3-normal-size
expect_same 1-designed 3-normal-size "$boxes" "Ctrl+0 gives back the design's pixels"

xdotool mousemove 400 360 click 3 # on the interpretation
shot 4-reading-menu
expect_change 3-normal-size 4-reading-menu 250x160+150+360 "a right click opens the reading menu"
xdotool key Escape
shot 5-menu-closed
# Where the menu lay over the results (the right click also put the
# keyboard in the interpretation, which now shows its caret).
expect_same 3-normal-size 5-menu-closed 250x100+150+420 "Escape closes it"
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null

# The same window on a dark desktop: qt6ct sets the palette and the style.
if [ -f /usr/share/qt6ct/colors/darker.conf ] && [ -n "$(find /usr/lib -name libqt6ct.so -path '*platformthemes*' 2>/dev/null | head -1)" ]; then
  config=$(mktemp -d)
  mkdir -p "$config/qt6ct"
  printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\ncustom_palette=true\nstyle=Windows\n' \
    >"$config/qt6ct/qt6ct.conf"
  XDG_CONFIG_HOME=$config QT_QPA_PLATFORMTHEME=qt6ct QT_LOGGING_RULES='qt6ct*=true' open_dictionary
  shot 6-dark-desktop
  if grep -q 'using qt6ct plugin' "$out/program.log"; then
    expect_same 1-designed 6-dark-desktop "$boxes" "under a dark desktop the boxes and the grid look as designed"
    expect_same 1-designed 6-dark-desktop "$options" "under a dark desktop the option buttons look as designed"
    expect_same 1-designed 6-dark-desktop "$check_and_list" "under a dark desktop the check box and the field list look as designed"
  else
    fail "qt6ct was not loaded; the dark desktop was not tried"
  fi
  rm -rf "$config"
else
  echo "SKIP: qt6ct is not installed (tools/bootstrap installs it); the dark desktop was not tried"
fi
e2e_finish
