#!/usr/bin/env bash
# The built help archive as a reader sees it: headless Chromium renders
# HELP.mht, and the screenshot is checked for a page (not blank), Arabic text
# set right to left, and every window picture the archive carries.
#   render.sh HELP.mht SHOTS_DIR OUT_DIR
# OUT_DIR keeps help-top.png (the first screen) and help-full.png.
set -u
mht=$1
shots=$2
out=$3
mkdir -p "$out"

for tool in chromium convert; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (tools/bootstrap installs it)"
    exit 77
  fi
done
[ -s "$mht" ] || { echo "FAIL: $mht is missing or empty"; exit 1; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

width=1000
height=12000 # taller than the whole page, so that every picture is on it
render() { # archive screenshot
  local profile
  profile=$(mktemp -d)
  timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --hide-scrollbars \
    --user-data-dir="$profile" --window-size=$width,$height --screenshot="$2" \
    "file://$(realpath "$1")" >"$out/chromium.log" 2>&1
  rm -rf "$profile"
  [ -s "$2" ] || { echo "FAIL: chromium made no screenshot of $1 (see $out/chromium.log)"; exit 1; }
}
# Pixels of an image that have exactly one colour (#RRGGBB).
count_colour() {
  convert "$1" -alpha off -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:round(mean*w*h)]' info:
}
# Where a region holds anything but background: "left right" in pixels.
ink_box() { # image geometry
  convert "$1" -crop "$2" +repage -alpha off -fuzz 12% -format %@ info: |
    sed -E 's/^([0-9]+)x[0-9]+\+([0-9]+)\+[0-9]+$/\2 \1/' | awk '{ print $1, $1 + $2 }'
}

full="$out/help-full.png"
render "$mht" "$full"
convert "$full" -crop ${width}x2400+0+0 +repage "$out/help-top.png"

# The page must fit: its last rows are background only.
std_bottom=$(convert "$full" -crop ${width}x400+0+$((height - 400)) +repage -colorspace Gray -format '%[fx:standard_deviation]' info:)
awk "BEGIN{exit !($std_bottom < 0.002)}" || fail "the page is longer than the screenshot; raise its height"

# Not blank: a light page with plenty of dark text on it.
mean=$(convert "$full" -crop ${width}x2400+0+0 +repage -colorspace Gray -format '%[fx:mean]' info:)
dark=$(convert "$full" -crop ${width}x2400+0+0 +repage -colorspace Gray -threshold 40% -negate \
  -format '%[fx:round(mean*w*h)]' info:)
if awk "BEGIN{exit !($mean > 0.8 && $dark > 20000)}"; then
  pass "light page with text (mean $mean, $dark dark pixels in the first screen)"
else
  fail "page looks blank or wrong (mean $mean, $dark dark pixels in the first screen)"
fi

# Right to left: the title sits against the right edge of the text column,
# and the first paragraph's lines fill it from the right.
read -r title_left title_right <<<"$(ink_box "$full" ${width}x90+0+0)"
if [ -n "${title_right:-}" ] && [ "$title_right" -gt 880 ] && [ "$title_left" -gt 500 ] &&
  [ $((title_right - title_left)) -gt 100 ]; then
  pass "title right-aligned (ink from x=$title_left to x=$title_right)"
else
  fail "title not right-aligned (ink from x=${title_left:-?} to x=${title_right:-?})"
fi
read -r lead_left lead_right <<<"$(ink_box "$full" ${width}x120+0+95)"
if [ -n "${lead_right:-}" ] && [ "$lead_right" -gt 880 ] && [ "$lead_left" -lt 120 ]; then
  pass "first paragraph fills the column (ink from x=$lead_left to x=$lead_right)"
else
  fail "first paragraph not laid out across the column (ink from x=${lead_left:-?} to x=${lead_right:-?})"
fi

# Pictures: each window picture's commonest colour must show on the page at
# least as often as in the picture, beyond what the same page shows with its
# pictures taken out of the archive.
shopt -s nullglob
pictures=("$shots"/*.png)
if [ ${#pictures[@]} -eq 0 ]; then
  fail "no window pictures in $shots"
else
  bare_mht="$out/help-no-pictures.mht"
  awk -v RS='\r\n' -v ORS='\r\n' '
    /^--/ { emit(); part = $0 ORS; inpart = 1; next }
    inpart { part = part $0 ORS; next }
    { print }
    END { emit() }
    function emit() { if (part !~ /Content-Type: image\//) printf "%s", part; part = "" }
  ' "$mht" >"$bare_mht"
  bare="$out/help-no-pictures.png"
  render "$bare_mht" "$bare"
  # Each picture's commonest colour, counted over all pictures, so that one
  # picture cannot stand in for another that is missing.
  declare -A expected=()
  for png in "${pictures[@]}"; do
    colour=$(convert "$png" -alpha off -format %c histogram:info:- | sort -rn | head -1 | grep -o '#[0-9A-F]\{6\}')
    expected[$colour]=0
  done
  for colour in "${!expected[@]}"; do
    for png in "${pictures[@]}"; do
      expected[$colour]=$(( ${expected[$colour]} + $(count_colour "$png" "$colour") ))
    done
  done
  for colour in "${!expected[@]}"; do
    with=$(count_colour "$full" "$colour")
    without=$(count_colour "$bare" "$colour")
    want=${expected[$colour]}
    if [ $((with - without)) -ge $((want * 9 / 10)) ]; then
      pass "pictures show: colour $colour on $((with - without)) more pixels (pictures hold $want)"
    else
      fail "pictures missing: colour $colour on $((with - without)) more pixels, pictures hold $want"
    fi
  done
fi

echo "screenshots: $out/help-top.png $full"
[ $failures -eq 0 ]
