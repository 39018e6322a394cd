#!/usr/bin/env bash
# A long seeded random session with the built program on a real X server:
# clicks on every control of the menu, the dictionary, the encyclopedia and
# the about box, typed Arabic and Latin text with quotes and LIKE wildcards,
# Enter, Escape, paging past both ends, message boxes dismissed. After every
# action the program must still run and show a window within ten seconds.
# It runs a copy of the program's folder, and the database it read must come
# out byte for byte the same, with no file added next to it.
#   soak.sh PROGRAM OUT_DIR [SEED] [ACTIONS]
set -u
program=$1
seed=${3:-1}
actions=${4:-300}
. "$(dirname "$0")/lib.sh"
e2e_start "$2"
command -v xprop >/dev/null || { echo "SKIP: xprop is not installed (tools/bootstrap installs it)"; exit 77; }
rm -f "$out"/*.png "$out/program.log" "$out/actions.log"

source_dir=$(dirname "$program")
folder=$(mktemp -d)
trap 'e2e_cleanup; rm -rf "$folder"' EXIT
cp "$program" "$folder/"
for f in kelvra.mdb KELVRA s0.wav kelvra.wav HELP.mht; do
  [ -f "$source_dir/$f" ] || { echo "FAIL: $source_dir/$f is missing (build the program first)"; exit 1; }
  cp "$source_dir/$f" "$folder/"
done
exe=$folder/$(basename "$program")
hash_before=$(sha256sum <"$folder/kelvra.mdb" | cut -d' ' -f1)
files_before=$(ls -A "$folder")

started=$(date +%s)
start_at_menu "$exe" || { cat "$out/program.log"; e2e_finish; }
rss() { sed -n 's/^VmRSS:[[:space:]]*//p' "/proc/$app/status" 2>/dev/null; }
rss_start=$(rss)
echo "seed $seed, $actions actions, program pid $app, VmRSS at the menu: $rss_start"

RANDOM=$seed
# A number below $1 in $r; kept in this shell so that the seed drives it all.
pick() { r=$((RANDOM % $1)); }

# The windows the program shows, told apart by size (the menu and the
# dictionary share their title). Sets $where to menu, dictionary,
# encyclopedia, about or none, and $boxes to the visible message boxes.
look() {
  where=none
  boxes=()
  local w g type
  for w in $(xdotool search --onlyvisible --pid "$app" '' 2>/dev/null); do
    g=$(xdotool getwindowgeometry "$w" 2>/dev/null | sed -n 's/.*Geometry: //p')
    case $g in
      640x480) where=menu ;;
      792x563) where=dictionary ;;
      792x566) where=encyclopedia ;;
      761x508) where=about ;;
      '') ;;
      *)
        type=$(xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null)
        case $type in
          *DIALOG* | *NORMAL*) boxes+=("$w") ;;
        esac
        ;;
    esac
  done
}

# Return closes a box that has the keyboard; its OK button, bottom centre,
# closes it otherwise.
dismiss_boxes() {
  local w n X Y WIDTH HEIGHT SCREEN
  for n in $(seq 10); do
    look
    [ ${#boxes[@]} -eq 0 ] && return 0
    w=${boxes[0]}
    if [ $((n % 2)) -eq 1 ]; then
      xdotool key Return
    else
      eval "$(xdotool getwindowgeometry --shell "$w")"
      click $((X + WIDTH / 2)) $((Y + HEIGHT - 22))
    fi
    dismissed=$((dismissed + 1))
    sleep 0.3
  done
  look
  [ ${#boxes[@]} -eq 0 ]
}

last="start"
steps=()
died() {
  echo "last actions:"
  printf '  %s\n' "${steps[@]: -10}"
  shot failure 2>/dev/null
  echo "--- program output ---"
  cat "$out/program.log"
  e2e_finish
}
# After every action: the program runs, and within ten seconds it shows a
# window, message boxes dismissed; after a move between windows, the window
# moved to (a program that hangs shows its windows on but never moves).
expect=""
check() {
  local tries
  for tries in $(seq 50); do
    if ! kill -0 "$app" 2>/dev/null; then
      wait "$app"; local rc=$?
      app=""
      fail "the program ended (code $rc) after action $i: $last"
      died
    fi
    dismiss_boxes || true
    look
    if [ "$where" != none ] && [ ${#boxes[@]} -eq 0 ] && [ -z "$expect" -o "$where" = "$expect" ]; then
      expect=""
      return 0
    fi
    sleep 0.2
  done
  fail "no ${expect:-window} within ten seconds after action $i: $last (where=$where, ${#boxes[@]} boxes)"
  died
}

act() { last="$where: $*"; steps+=("$last"); echo "$i $last" >>"$out/actions.log"; }

arabic=('رؤيا' 'ماء' 'أسد' 'بيت' 'الحلم' 'ذهب' 'طائر' 'إمام' 'مسجد' 'لؤلؤ' 'ة' 'ى' 'ـ' 'آ' 'ءا' 'ً')
latin=("O'Brien" "don't" "'" "''" '%' '_' '[a]' '"' '\' "x'; DROP TABLE t; --" 'ab' 'Z9' '*' '?' ' ')
random_text() {
  local n words="" k
  pick 4; n=$((r + 1))
  for k in $(seq $n); do
    pick 3
    if [ $r -eq 0 ]; then pick ${#latin[@]}; words+=${latin[$r]}; else pick ${#arabic[@]}; words+=${arabic[$r]}; fi
    pick 3; [ $r -eq 0 ] && words+=" "
  done
  text=$words
}
type_text() { random_text; act "type [$text]"; xdotool type --delay 20 -- "$text"; }

# The menu's areas, in the menu's pixels; help and exit left out (help opens
# a viewer, exit ends the session).
menu_action() {
  pick 13
  case $r in
    0 | 1 | 2) act dictionary; expect=dictionary; click_menu 312 348 ;;
    3 | 4 | 5) act encyclopedia; expect=encyclopedia; click_menu 168 96 ;;
    6 | 12) act about; expect=about; click_menu 304 296 ;;
    7 | 8) act sound; click_menu 552 96 ;;
    9) act title; click_menu 380 24 ;;
    10) act minimize; click_menu 608 72
      # Without a window manager nothing takes the window away; if it went,
      # it is brought back as a user would from the task bar.
      sleep 0.5; look
      if [ "$where" = none ]; then
        for w in $(xdotool search --pid "$app" ''); do
          xdotool getwindowgeometry "$w" | grep -q 640x480 && xdotool windowmap "$w"
        done
      fi ;;
    11) act Escape; xdotool key Escape ;;
  esac
}

# The dictionary sits at 0,0 (no window manager); its controls' centres.
dictionary_action() {
  pick 31
  case $r in
    0) act search; click 68 56 ;;
    1) act "show all"; click 68 96 ;;
    2 | 3) act "search box"; click 228 52; type_text ;;
    4) act "search box Enter"; click 228 52; xdotool key ctrl+a; type_text; xdotool key Return ;;
    5) act "empty search box Enter"; click 228 52; xdotool key ctrl+a BackSpace Return ;;
    6) act "option exact"; click 200 90 ;;
    7) act "option broad"; click 304 90 ;;
    8) act "field check box"; click 420 50 ;;
    9) act "field list"; click 428 82; sleep 0.3; pick 4; xdotool key --repeat $((r + 1)) Down; pick 2
      if [ $r -eq 0 ]; then xdotool key Return; else xdotool key Escape; fi ;;
    10) act about; expect=about; click 552 56 ;;
    11 | 30) act back; expect=menu; click 552 96 ;;
    12 | 13) act last; click 648 56 ;;
    14 | 15) act next; click 648 96 ;;
    16 | 17) act first; click 736 56 ;;
    18 | 19) act prev; click 736 96 ;;
    20) pick 12; act "next x$((r + 2)) past the end"; click 648 56; for _ in $(seq $((r + 2))); do click 648 96; done ;;
    21) pick 12; act "prev x$((r + 2)) past the start"; click 736 56; for _ in $(seq $((r + 2))); do click 736 96; done ;;
    22 | 23) pick 760; local x=$((20 + r)); pick 80; act "grid cell $x,$((472 + r))"; click $x $((472 + r)) ;;
    24) act "grid keys"; click 400 480; pick 5; xdotool key --repeat $((r + 1)) Down Right Page_Down End Home ;;
    25) pick 3; local y=$((172 + r * 72)); act "text field at $y"; click 396 $y; type_text ;;
    26) act Enter; xdotool key Return ;;
    27) act Escape; xdotool key Escape ;;
    28) act "Tab"; pick 6; xdotool key --repeat $((r + 1)) Tab ;;
    29) act "type"; type_text ;;
  esac
}

# The encyclopedia, centred; its controls' centres in its own pixels.
ency_x=$(((1024 - 792) / 2))
ency_y=$(((768 - 566) / 2))
click_ency() { click $((ency_x + $1)) $((ency_y + $2)); }
encyclopedia_action() {
  pick 16
  case $r in
    0 | 1) act first; click_ency 732 456 ;;
    2 | 3) act last; click_ency 620 456 ;;
    4 | 5) act next; click_ency 732 496 ;;
    6 | 7) act prev; click_ency 620 496 ;;
    8) pick 12; act "next x$((r + 2)) past the end"; click_ency 620 456; for _ in $(seq $((r + 2))); do click_ency 732 496; done ;;
    9) pick 12; act "prev x$((r + 2)) past the start"; click_ency 732 456; for _ in $(seq $((r + 2))); do click_ency 620 496; done ;;
    10) act "type in a field"; pick 3; case $r in 0) click_ency 396 40 ;; 1) click_ency 396 248 ;; 2) click_ency 476 500 ;; esac; type_text ;;
    11) act Enter; xdotool key Return ;;
    12) act Escape; xdotool key Escape ;;
    13) act "saying"; click_ency 196 500 ;;
    14) act "page keys"; click_ency 396 248; xdotool key Page_Down Page_Up ctrl+End ctrl+Home ;;
    15) act exit; expect=menu; click_ency 676 540 ;;
  esac
}

about_x=$(((1024 - 761) / 2))
about_y=$(((768 - 508) / 2))
about_action() {
  pick 6
  case $r in
    0 | 1) act wait; sleep 1 ;;
    2) act Escape; xdotool key Escape ;;
    3) act "picture"; expect=menu; click $((about_x + 374)) $((about_y + 247)) ;;
    *) act "strip"; expect=menu; click $((about_x + 380)) $((about_y + 468)) ;;
  esac
}

dismissed=0
declare -A visits=()
for i in $(seq "$actions"); do
  look
  visits[$where]=$((${visits[$where]:-0} + 1))
  case $where in
    menu) menu_action ;;
    dictionary) dictionary_action ;;
    encyclopedia) encyclopedia_action ;;
    about) about_action ;;
    *) act nothing ;;
  esac
  sleep 0.2
  check
done
pass "$actions actions without a crash or a hang"

# Back to the menu and out through its exit area.
for _ in $(seq 5); do
  look
  case $where in
    menu) break ;;
    dictionary) i=back; act back; click 552 96 ;;
    encyclopedia) i=back; act exit; click_ency 676 540 ;;
    about) i=back; act strip; click $((about_x + 380)) $((about_y + 468)) ;;
  esac
  sleep 0.5
  check
done
[ "$where" = menu ] || { fail "could not get back to the menu"; died; }
rss_end=$(rss)
shot end
click_menu 614 130 # exit
if wait_for_end 10; then
  [ "$rc" -eq 0 ] && pass "exit ends the program (code 0)" || { fail "exit ended with code $rc"; cat "$out/program.log"; }
else
  fail "exit did not end the program"
fi

hash_after=$(sha256sum <"$folder/kelvra.mdb" | cut -d' ' -f1)
[ "$hash_after" = "$hash_before" ] && pass "kelvra.mdb unchanged (sha256 $hash_after)" ||
  fail "kelvra.mdb changed: sha256 $hash_before before, $hash_after after"
files_after=$(ls -A "$folder")
[ "$files_after" = "$files_before" ] && pass "no file added to the program's folder" ||
  fail "the program's folder changed: $(echo $files_after)"

echo "seed $seed: $actions actions in $(($(date +%s) - started)) s; message boxes dismissed: $dismissed"
echo "windows acted in: $(for k in "${!visits[@]}"; do printf '%s=%s ' "$k" "${visits[$k]}"; done)"
echo "VmRSS at the start: $rss_start; at the end: $rss_end"
e2e_finish
