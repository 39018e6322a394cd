#!/usr/bin/env bash
# The desktop entry and the AppStream data as the desktop's own validators
# read them: no error, no warning, not even a hint.
#   metadata.sh SOURCE_DIR
set -u
packaging=$1/packaging
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (tools/bootstrap installs it)"; exit 77; }
done
failures=0
entry=$packaging/org.example.velkaram.desktop
metainfo=$packaging/org.example.velkaram.metainfo.xml

report=$(desktop-file-validate "$entry" 2>&1); rc=$?
if [ $rc -eq 0 ] && [ -z "$report" ]; then echo "ok: desktop-file-validate"; else
  echo "FAIL: desktop-file-validate ($rc):"; echo "$report"; failures=$((failures + 1)); fi

report=$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1); rc=$?
if [ $rc -eq 0 ] && ! grep -qE '^[EWIP]: ' <<<"$report"; then echo "ok: appstreamcli validate --pedantic"; else
  echo "FAIL: appstreamcli validate ($rc):"; echo "$report"; failures=$((failures + 1)); fi

# One id for the entry, its icon, the metainfo and its launchable.
grep -qx 'Icon=org.example.velkaram' "$entry" || { echo "FAIL: the entry's Icon is not the id"; failures=$((failures + 1)); }
grep -q '<id>org.example.velkaram</id>' "$metainfo" &&
  grep -q '<launchable type="desktop-id">org.example.velkaram.desktop</launchable>' "$metainfo" ||
  { echo "FAIL: the metainfo's id or launchable is not the entry's"; failures=$((failures + 1)); }
[ $failures -eq 0 ]
