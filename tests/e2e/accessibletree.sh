#!/usr/bin/env bash
# The program as a screen reader reads it: its accessible tree over AT-SPI,
# on a private display, session bus and accessibility bus. atspi_tree.py
# walks splash, menu, dictionary, encyclopedia and about box, pressing the
# buttons through their own actions, and writes each window's tree to
# OUT_DIR/<window>.txt for a person to read.
#   accessibletree.sh PROGRAM OUT_DIR
set -u
program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
launcher=/usr/libexec/at-spi-bus-launcher
need_tools dbus-daemon dbus-send "$launcher"
# Debian's own Python: the one on PATH may lack the bindings.
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  echo "SKIP: /usr/bin/python3 cannot import pyatspi (tools/bootstrap installs python3-pyatspi)"
  exit 77
fi
e2e_start "$2"
out=$(cd "$out" && pwd)
rm -rf "$out"/*.txt "$out"/*.png "$out/program.log" "$out/launcher.log" "$out/bus.address" "$out/bus.log" "$out/home"
mkdir -p "$out/home"

# Every process this run starts carries the tag, children included, so that
# whatever a bus activated on its own is ended too.
tag=$$-$(date +%s%N)
given=(-u XDG_RUNTIME_DIR -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME -u XDG_STATE_HOME
  HOME="$out/home" GSETTINGS_BACKEND=memory VELKARAM_ACCESSIBLETREE_RUN="$tag")
tagged() {
  local environ pid
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    tr '\0' '\n' 2>/dev/null <"$environ" | grep -qx "VELKARAM_ACCESSIBLETREE_RUN=$tag" && echo "$pid"
  done
}
bus_pid=""
launcher_pid=""
stop_all() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  local pid
  for _ in $(seq 20); do
    [ -z "$(tagged)" ] && break
    sleep 0.1
  done
  for pid in $(tagged); do kill "$pid" 2>/dev/null; done
  e2e_cleanup
}
trap stop_all EXIT

# Children of this shell, not forked away, so that they are waited for.
env "${given[@]}" dbus-daemon --session --nofork --print-address=3 3>"$out/bus.address" 2>>"$out/bus.log" &
bus_pid=$!
for _ in $(seq 50); do [ -s "$out/bus.address" ] && break; sleep 0.1; done
bus=$(head -n 1 "$out/bus.address" 2>/dev/null)
if [ -z "$bus" ]; then
  fail "no private session bus could be started"
  e2e_finish
fi
given+=(DBUS_SESSION_BUS_ADDRESS="$bus")
env "${given[@]}" "$launcher" --launch-immediately >>"$out/launcher.log" 2>&1 &
launcher_pid=$!
# Asked before the launcher owns its name, the bus would start a second one.
if ! timeout 10 bash -c "until DBUS_SESSION_BUS_ADDRESS='$bus' dbus-send --session --print-reply \
    --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null |
    grep -q 'boolean true'; do sleep 0.1; done"; then
  fail "the accessibility bus did not start"
  e2e_finish
fi

(cd "$out" && exec env "${given[@]}" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >>"$out/program.log" 2>&1) &
app=$!
DBUS_SESSION_BUS_ADDRESS=$bus timeout 120 /usr/bin/python3 "$here/atspi_tree.py" "$out" ||
  fail "the accessible tree is not what a screen reader needs (trees in $out/*.txt)"
shot end
kill -0 "$app" 2>/dev/null && pass "the program still runs" || fail "the program ended"
e2e_finish
