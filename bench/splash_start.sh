#!/usr/bin/env bash
# Time from process start to the splash on screen, under Xvfb, several runs;
# prints each run and the median in milliseconds. With "fresh", each run gets
# an empty HOME, as on a first start (GStreamer then scans its plugins).
#   bench/splash_start.sh build/velkaram [runs] [fresh]
set -u
program=$1
runs=${2:-9}
fresh=${3:-}
display=:97
Xvfb $display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
times=()
for _ in $(seq "$runs"); do
  home=$HOME
  [ "$fresh" = fresh ] && home=$(mktemp -d)
  start=$(date +%s%N)
  HOME=$home "$program" >/dev/null 2>&1 &
  pid=$!
  # The window is viewable once mapped; its first paint follows at once.
  until xwininfo -name 'Delvo Soft' 2>/dev/null | grep -q IsViewable; do
    kill -0 $pid 2>/dev/null || { echo "the program ended before its splash showed"; exit 1; }
  done
  shown=$(date +%s%N)
  times+=($(((shown - start) / 1000000)))
  kill $pid; wait $pid 2>/dev/null
  [ "$home" != "$HOME" ] && rm -rf "$home"
done
echo "runs (ms): ${times[*]}"
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "median (ms): " a[int((NR+1)/2)]}'
