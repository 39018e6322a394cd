#!/usr/bin/env bash
# Time from process start to the splash on screen, under Xvfb, several runs;
# prints each run and the median in milliseconds. Given a second program (an
# empty window titled like the splash, build/bench/bench_emptywindow), the
# two start by turns and the ratio of their medians is printed. With
# "fresh", each run gets an empty HOME, as on a first start (GStreamer then
# scans its plugins).
#   bench/splash_start.sh build/velkaram [runs] [fresh] [build/bench/bench_emptywindow]
set -u
program=$1
runs=${2:-9}
fresh=${3:-}
yardstick=${4:-}
display=:97
Xvfb $display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# Milliseconds from starting $1 to its "Delvo Soft" window being viewable.
time_one() {
  local home=$HOME start shown pid
  [ "$fresh" = fresh ] && home=$(mktemp -d)
  start=$(date +%s%N)
  HOME=$home "$1" >/dev/null 2>&1 &
  pid=$!
  # The window is viewable once mapped; its first paint follows at once.
  until xwininfo -name 'Delvo Soft' 2>/dev/null | grep -q IsViewable; do
    kill -0 $pid 2>/dev/null || { echo "$1 ended before its window showed" >&2; exit 1; }
  done
  shown=$(date +%s%N)
  kill $pid; wait $pid 2>/dev/null
  [ "$home" != "$HOME" ] && rm -rf "$home"
  echo $(((shown - start) / 1000000))
}
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

times=()
empty=()
for _ in $(seq "$runs"); do
  times+=("$(time_one "$program")")
  [ -n "$yardstick" ] && empty+=("$(time_one "$yardstick")")
done
echo "splash runs (ms): ${times[*]}"
echo "splash median (ms): $(median "${times[@]}")"
if [ -n "$yardstick" ]; then
  echo "empty window runs (ms): ${empty[*]}"
  echo "empty window median (ms): $(median "${empty[@]}")"
  awk -v a="$(median "${times[@]}")" -v b="$(median "${empty[@]}")" 'BEGIN { printf "splash / empty window: %.2f\n", a / b }'
fi
