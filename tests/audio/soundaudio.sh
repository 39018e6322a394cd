#!/usr/bin/env bash
# Runs the real-audio suite against a PulseAudio server of its own: a null
# sink whose monitor the suite records, in a private runtime folder, stopped
# on every way out. Exit 77 (skipped) only when the server cannot start.
set -u
suite=$1

for tool in pulseaudio pactl parec; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (tools/bootstrap)"; exit 77; }
done

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/run HOME=$work/home
unset PULSE_SERVER PULSE_SINK PULSE_SOURCE
mkdir -m 700 "$XDG_RUNTIME_DIR" "$HOME"

server=
cleanup() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# In the foreground of its own job so that its id is ours to stop; the outer
# timeout ends it even if this script is killed outright.
timeout 150 pulseaudio --daemonize=no --system=false --exit-idle-time=-1 --disallow-exit -n \
  --load="module-null-sink sink_name=test_sink" --load=module-native-protocol-unix \
  >"$work/pulseaudio.log" 2>&1 &
server=$!

ready=
for _ in $(seq 100); do
  if timeout 2 pactl info >/dev/null 2>&1; then ready=1; break; fi
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$ready" ]; then
  echo "SKIP: PulseAudio did not start:"
  cat "$work/pulseaudio.log"
  exit 77
fi

timeout 120 "$suite"
