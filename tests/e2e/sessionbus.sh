#!/usr/bin/env bash
# A session bus that is there is still used: the program shows up in the
# accessibility registry (AT-SPI) that a screen reader reads, whether the
# bus is named in DBUS_SESSION_BUS_ADDRESS, is the user bus in
# XDG_RUNTIME_DIR, or was autolaunched on the display by an earlier program.
#   sessionbus.sh PROGRAM OUT_DIR
set -u
program=$(realpath "$1")
. "$(dirname "$0")/lib.sh"
launcher=/usr/libexec/at-spi-bus-launcher
need_tools dbus-launch dbus-send "$launcher"
e2e_start "$2"
out=$(cd "$out" && pwd)
rm -rf "$out/program.log" "$out/launcher.log" "$out"/home-* "$out/runtime"
mkdir -p "$out/home-named" "$out/home-user" "$out/home-autolaunched" "$out/runtime"
chmod 700 "$out/runtime"
bus_pid=""
launcher_pid=""
stop_buses() {
  [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  launcher_pid=""
  bus_pid=""
}
trap 'stop_buses; e2e_cleanup' EXIT

# Names of the applications in the registry of the accessibility bus that
# belongs to session bus $1.
registered() {
  local a11y name
  a11y=$(DBUS_SESSION_BUS_ADDRESS=$1 dbus-send --session --print-reply=literal --dest=org.a11y.Bus \
    /org/a11y/bus org.a11y.Bus.GetAddress | tr -d ' ')
  DBUS_SESSION_BUS_ADDRESS=$a11y dbus-send --session --print-reply --dest=org.a11y.atspi.Registry \
    /org/a11y/atspi/accessible/root org.a11y.atspi.Accessible.GetChildren |
    sed -n 's/^ *string "\(.*\)"$/\1/p' | while read -r name; do
      DBUS_SESSION_BUS_ADDRESS=$a11y dbus-send --session --print-reply=literal --dest="$name" \
        /org/a11y/atspi/accessible/root org.freedesktop.DBus.Properties.Get \
        string:org.a11y.atspi.Accessible string:Name | sed 's/^ *variant *//'
    done
}

# Starts the accessibility bus on session bus $1 and the program with the
# rest of the arguments as its environment; passes if the program's name
# appears in the registry within ten seconds.
check() { # bus what env...
  local bus=$1 what=$2
  shift 2
  DBUS_SESSION_BUS_ADDRESS=$bus "$launcher" --launch-immediately >>"$out/launcher.log" 2>&1 &
  launcher_pid=$!
  timeout 10 bash -c "until DBUS_SESSION_BUS_ADDRESS='$bus' dbus-send --session --print-reply \
    --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; do sleep 0.2; done"
  rm -f "$out"/core*
  (cd "$out" && ulimit -c unlimited 2>/dev/null
   exec env -u DBUS_SESSION_BUS_ADDRESS -u XDG_RUNTIME_DIR "$@" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    "$program" >"$out/program.log" 2>&1) &
  app=$!
  local names=""
  for _ in $(seq 50); do
    names=$(registered "$bus" 2>/dev/null)
    grep -qx velkaram <<<"$names" && break
    sleep 0.2
  done
  local alive=yes
  kill -0 "$app" 2>/dev/null || alive=no
  kill "$app" 2>/dev/null
  wait "$app" 2>/dev/null
  local rc=$?
  app=""
  if grep -qx velkaram <<<"$names"; then
    pass "$what"
  else
    fail "$what: the registry lists '${names}'; the program was running: $alive (exit status $rc)"
    tail -n 30 "$out/program.log"
    local core
    core=$(ls "$out"/core* 2>/dev/null | head -n 1)
    if [ -n "$core" ] && command -v gdb >/dev/null; then
      gdb -batch -ex "thread apply all bt 20" "$program" "$core" 2>/dev/null | grep -E '^(#|Thread)' | head -n 80
    fi
  fi
  stop_buses
}

home=$out/home-named
eval "$(HOME=$home dbus-launch --sh-syntax)"
bus_pid=$DBUS_SESSION_BUS_PID
check "$DBUS_SESSION_BUS_ADDRESS" "a bus in DBUS_SESSION_BUS_ADDRESS is used" HOME="$home" \
  DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS"
unset DBUS_SESSION_BUS_ADDRESS DBUS_SESSION_BUS_PID

# The user bus of a systemd session listens in XDG_RUNTIME_DIR.
bus_pid=$(dbus-daemon --session --address="unix:path=$out/runtime/bus" --fork --print-pid)
check "unix:path=$out/runtime/bus" "the user bus in XDG_RUNTIME_DIR is used" HOME="$out/home-user" \
  XDG_RUNTIME_DIR="$out/runtime"

# A client with no bus named autolaunches one, which dbus-launch records.
home=$out/home-autolaunched
env -u DBUS_SESSION_BUS_ADDRESS -u XDG_RUNTIME_DIR HOME="$home" dbus-send --session --print-reply \
  --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetId >/dev/null
record=$(ls "$home"/.dbus/session-bus/* 2>/dev/null | head -n 1)
if [ -z "$record" ]; then
  fail "no bus was autolaunched for the second case"
else
  bus=$(. "$record" && echo "$DBUS_SESSION_BUS_ADDRESS")
  bus_pid=$(. "$record" && echo "$DBUS_SESSION_BUS_PID")
  check "$bus" "a bus autolaunched on the display is used" HOME="$home"
fi
e2e_finish
