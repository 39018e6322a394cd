#!/usr/bin/env bash
# The Debian package as a user gets it: built by cpack into a temporary
# folder, checked by lintian, unpacked into a temporary root, its file list
# checked, and the unpacked program started through its bin/velkaram link
# under Xvfb: splash, menu, dictionary.
#   deb.sh SOURCE_DIR BUILD_DIR OUT_DIR
set -u
source_dir=$1
build_dir=$2
for tool in cpack dpkg-deb dpkg-shlibdeps lintian file; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (tools/bootstrap installs it)"; exit 77; }
done
. "$source_dir/tests/e2e/lib.sh"
e2e_start "$3"
rm -f "$out"/*.png
work=$(mktemp -d)
trap 'rm -rf "$work"; e2e_cleanup' EXIT

if ! cpack -G DEB -B "$work/pkg" --config "$build_dir/CPackConfig.cmake" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"; fail "cpack could not build the package"; e2e_finish
fi
debs=("$work"/pkg/velkaram_*_amd64.deb)
deb=${debs[0]}
[ -f "$deb" ] || { fail "no velkaram_<version>_amd64.deb"; e2e_finish; }
pass "built $(basename "$deb")"

# Tags kept are suppressed by name, each with its reason in
# packaging/lintian-kept; any other error, warning or info fails the check.
lintian --tag-display-limit 0 --display-info --suppress-tags-from-file "$source_dir/packaging/lintian-kept" \
  "$deb" >"$work/lintian.log" 2>&1
grep -E '^[EWI]: ' "$work/lintian.log" >"$work/tags"
if [ -s "$work/tags" ]; then fail "lintian:"; cat "$work/tags"; else pass "lintian has nothing to say"; fi

fields=$(dpkg-deb -f "$deb" Package Section Priority Maintainer Homepage Depends)
echo "$fields"
for dep in 'libqt6widgets6' fonts-noto-core fonts-noto-ui-core fonts-hosny-amiri qt6-translations-l10n \
           gstreamer1.0-plugins-good xdg-utils; do
  grep -q "^Depends:.*$dep" <<<"$fields" && pass "depends on $dep" || fail "no dependency on $dep"
done
grep -qx 'Section: education' <<<"$fields" || fail "the section is not education"

root=$work/root
dpkg-deb -x "$deb" "$root"
for f in usr/lib/velkaram/velkaram usr/lib/velkaram/kelvra.mdb usr/lib/velkaram/KELVRA \
         usr/lib/velkaram/s0.wav usr/lib/velkaram/kelvra.wav usr/lib/velkaram/HELP.mht \
         usr/share/applications/org.example.velkaram.desktop \
         usr/share/metainfo/org.example.velkaram.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.example.velkaram.svg \
         usr/share/icons/hicolor/48x48/apps/org.example.velkaram.png \
         usr/share/icons/hicolor/128x128/apps/org.example.velkaram.png \
         usr/share/icons/hicolor/256x256/apps/org.example.velkaram.png \
         usr/share/man/man1/velkaram.1.gz usr/share/doc/velkaram/copyright \
         usr/share/doc/velkaram/changelog.gz; do
  [ -f "$root/$f" ] && [ -s "$root/$f" ] || fail "missing or empty: /$f"
done
for size in 48 128 256; do
  file "$root/usr/share/icons/hicolor/${size}x${size}/apps/org.example.velkaram.png" | grep -q "PNG image data, $size x $size" ||
    fail "the ${size}px icon is not ${size} x ${size}"
done
link=$(readlink "$root/usr/bin/velkaram")
[ "$link" = ../lib/velkaram/velkaram ] && pass "bin/velkaram links to ../lib/velkaram/velkaram" ||
  fail "bin/velkaram is not a relative link to the program ($link)"
file "$root/usr/lib/velkaram/velkaram" | grep -q ', stripped' || fail "the program is not stripped"
gzip -t "$root/usr/share/man/man1/velkaram.1.gz" || fail "the manual page is not gzip"

# Nothing of the build tree: no build files, no absolute path into the tree.
stray=$(find "$root" \( -name CMakeFiles -o -name '*.cmake' -o -name '*.o' -o -name '*.a' \
  -o -name '*_autogen' -o -name 'tst_*' -o -name mkdb -o -name mkart \) -print)
[ -z "$stray" ] && pass "no build files" || fail "build files in the package: $stray"
leaked=$(grep -rlF "$source_dir" "$root" 2>/dev/null; grep -rlF "$build_dir" "$root" 2>/dev/null)
[ -z "$leaked" ] && pass "no path into the source or build tree" || fail "build paths in: $leaked"
echo "files:"; (cd "$root" && find . -not -type d | sort)

# The unpacked program, started through its link, reads its files from
# its own folder: the dictionary shows records from kelvra.mdb.
start_at_menu "$root/usr/bin/velkaram" || e2e_finish
pass "the splash, then the menu"
shot 1-menu
click_menu 312 348 # the dictionary area
opened=""
for _ in $(seq 50); do
  for w in $(xdotool search --onlyvisible --name '^Velkaram$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" -eq 792 ] && opened=$w
  done
  [ -n "$opened" ] && break
  sleep 0.2
done
shot 2-dictionary
[ -n "$opened" ] && pass "the dictionary window opened" || fail "no dictionary window"
grep -v '^$' "$out/program.log" | head -20
others=$(xdotool search --onlyvisible --name '.' 2>/dev/null | while read -r w; do xdotool getwindowname "$w"; done |
  grep -vxE 'Velkaram' || true)
[ -z "$others" ] && pass "no message box" || fail "other windows are open: $others"
e2e_finish
