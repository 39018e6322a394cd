#!/usr/bin/env bash
# The built program on a real X server: start-up, Next, a click on a dream
# cell of the grid, an Arabic search typed into the search box, and a start
# with no database. Screenshots go to OUT_DIR for a person to look at; each
# step also checks that the part of the window it should change did change.
#   dictionary.sh PROGRAM OUT_DIR
set -u
program=$1
out=$2
mkdir -p "$out"
rm -f "$out"/*.png

for tool in Xvfb xdotool import compare; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (tools/bootstrap installs it)"
    exit 77
  fi
done

display=""
for n in $(seq 90 120); do
  [ -e "/tmp/.X$n-lock" ] || { display=:$n; break; }
done
[ -n "$display" ] || { echo "SKIP: no free X display number"; exit 77; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 50); do
  xdotool getmouselocation >/dev/null 2>&1 && break
  sleep 0.1
done
if ! xdotool getmouselocation >/dev/null 2>&1; then
  echo "SKIP: no X server could be started on $display"
  exit 77
fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

shot() { sleep 0.5; import -window root -crop 792x563+0+0 "$out/$1.png"; }
# Pixels that differ between two screenshots inside a rectangle WxH+X+Y.
changed() {
  convert "$out/$1.png" -crop "$3" +repage "$out/a.tmp.png"
  convert "$out/$2.png" -crop "$3" +repage "$out/b.tmp.png"
  compare -metric AE "$out/a.tmp.png" "$out/b.tmp.png" null: 2>&1 | cut -d' ' -f1
  rm -f "$out/a.tmp.png" "$out/b.tmp.png"
}
# Takes screenshot $2 until the rectangle differs from screenshot $1, for up
# to about ten seconds, so that a slow machine is waited for, not failed.
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

# Regions of the dictionary window (pixels; the window sits at 0,0 with no
# window manager).
item_box=776x40+8+224
label_box=257x24+528+0
grid_box=776x100+8+458

"$program" >"$out/program.log" 2>&1 &
app=$!
if ! timeout 30 xdotool search --sync --onlyvisible --name '^Velkaram$' >/dev/null 2>&1; then
  fail "the dictionary window did not appear"
  exit 1
fi
shot 1-start

click 648 96 # Next
shot 2-next
expect_change 1-start 2-next "$item_box" "Next shows another dream"
expect_same 1-start 2-next "$label_box" "Next leaves the record counter alone"

click 337 492 # the dream cell of the grid's first row
shot 3-grid-click
expect_change 2-next 3-grid-click "$label_box" "a dream cell sets the record counter"
expect_change 2-next 3-grid-click "$item_box" "a dream cell shows its entry"

click 228 52 # the search box
xdotool type --delay 60 'رؤيا'
xdotool key Return
shot 4-search
expect_change 3-grid-click 4-search "$grid_box" "Enter in the search box lists the results"

kill "$app" 2>/dev/null
wait "$app" 2>/dev/null
app=""

# Without its database the program reports the error and ends.
bare=$(mktemp -d)
cp "$program" "$bare/"
cp "$(dirname "$program")/KELVRA" "$bare/"
"$bare/$(basename "$program")" >"$out/bare.log" 2>&1 &
app=$!
if timeout 30 xdotool search --sync --onlyvisible --name '^Velkaram$' >/dev/null 2>&1; then
  shot 5-no-database
  xdotool key Return
  for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app" 2>/dev/null; then
    fail "the program did not end after the error report"
  else
    wait "$app"; rc=$?
    app=""
    [ "$rc" -ne 0 ] && pass "no database: error report, then the program ends ($rc)" || fail "no database: exit code 0"
  fi
else
  fail "no error report appeared without a database"
fi
rm -rf "$bare"

echo "screenshots in $out"
[ "$failures" -eq 0 ] || exit 1
