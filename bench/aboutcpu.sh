#!/usr/bin/env bash
# CPU used by the program under Xvfb: the idle main menu, then the about box
# while its credits scroll, SECONDS each, RUNS times; prints every run and
# the medians in percent of one core. Not part of ctest.
#   bench/aboutcpu.sh PROGRAM [RUNS] [SECONDS]
#   e.g. bench/aboutcpu.sh build/velkaram 5 10
set -u
program=$(realpath "$1")
runs=${2:-5}
seconds=${3:-10}
here=$(dirname "$(realpath "$0")")
. "$here/../tests/e2e/lib.sh"
e2e_start "$(mktemp -d)"
hz=$(getconf CLK_TCK)

ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
# Percent of one core the program used over the next $seconds seconds.
measure() {
  local t0 t1 w0 w1
  t0=$(ticks); w0=$(date +%s.%N)
  sleep "$seconds"
  t1=$(ticks); w1=$(date +%s.%N)
  awk -v t="$((t1 - t0))" -v hz="$hz" -v w0="$w0" -v w1="$w1" 'BEGIN { printf "%.2f", 100 * t / hz / (w1 - w0) }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

about_x=$(((1024 - 761) / 2))
about_y=$(((768 - 508) / 2))

start_at_menu "$program" || e2e_finish
sleep 2
menu_runs=()
about_runs=()
for run in $(seq "$runs"); do
  menu_runs+=("$(measure)")
  click_menu $((280 + 24)) $((272 + 24))
  wait_window '^حول البرنامج$' || { fail "no about box"; break; }
  sleep 1
  about_runs+=("$(measure)")
  [ "$run" -eq 1 ] && shot scrolling
  click $((about_x + 8 + 372)) $((about_y + 432 + 36))
  sleep 1
  echo "run $run: idle menu ${menu_runs[-1]} %, about box scrolling ${about_runs[-1]} %"
done
echo "median of $runs runs of ${seconds} s: idle menu $(printf '%s\n' "${menu_runs[@]}" | median) %," \
     "about box scrolling $(printf '%s\n' "${about_runs[@]}" | median) % of one core"
e2e_finish
