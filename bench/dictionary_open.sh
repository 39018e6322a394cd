#!/usr/bin/env bash
# Cold opening of the dictionary at several sizes, in the built program under
# Xvfb: a fresh process per run, the menu's dictionary area clicked, and the
# time from the click to the dictionary's window painted (its pixels last
# changed, before 150 ms without change) and to its window mapped; then the
# program's resident memory. Each size gets a database of
# generated entries beside a copy of the program's files.
#   bench/dictionary_open.sh BUILD_DIR [runs] [sizes...]
#   e.g. bench/dictionary_open.sh build 5 10000 100000 1000000
set -u
build=$(cd "$1" && pwd)
runs=${2:-5}
shift 2 2>/dev/null || shift $#
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(10000 100000 1000000)
display=:96
Xvfb $display -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# A waiter that sees the window mapped as it happens; polling (a process
# per look) is the fallback where no C compiler or Xlib headers are found.
waiter=""
if cc -O2 -o "$work/waitwindow" "$(dirname "$0")/waitwindow.c" -lX11 2>/dev/null; then
  waiter=$work/waitwindow
fi

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
# A visible window of that title and size (WxH).
window_of() {
  local w
  for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
    xwininfo -id "$w" 2>/dev/null | grep -q "Width: ${2%x*}" && xwininfo -id "$w" | grep -q "Height: ${2#*x}" && { echo "$w"; return 0; }
  done
  return 1
}

for n in "${sizes[@]}"; do
  folder=$work/$n
  mkdir -p "$folder"
  cp "$build/velkaram" "$build/KELVRA" "$build/s0.wav" "$build/kelvra.wav" "$build/HELP.mht" "$folder/"
  # The shipped schema, the shipped articles, n generated entries of the
  # dictionary's usual lengths.
  sqlite3 "$build/kelvra.mdb" .schema | sqlite3 "$folder/kelvra.mdb"
  sqlite3 "$folder/kelvra.mdb" "ATTACH '$build/kelvra.mdb' AS shipped;
    INSERT INTO encyclopidia SELECT * FROM shipped.encyclopidia;
    WITH RECURSIVE i(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM i WHERE k < $n)
    INSERT INTO dream SELECT k, 'مفتاح ' || (k % 1500), 'رؤية ' || k || ' في المنام',
      'تفسير طويل يقول إن من رأى هذا في منامه نال خيرا ورزقا وقيل هو سفر أو زواج أو علم ينتفع به والله أعلم ' || k
    FROM i;"
  times=()
  maps=()
  rss=()
  for _ in $(seq "$runs"); do
    (cd "$folder" && exec ./velkaram >/dev/null 2>&1) &
    pid=$!
    menu=""
    for _ in $(seq 200); do menu=$(window_of '^Velkaram$' 640x480) && break; sleep 0.05; done
    [ -n "$menu" ] || { echo "$n: the menu never showed"; kill $pid; continue; }
    sleep 4 # the splash's sound and the menu settle
    x=$(xwininfo -id "$menu" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(xwininfo -id "$menu" | sed -n 's/.*Absolute upper-left Y: *//p')
    shown=""
    if [ -n "$waiter" ]; then
      "$waiter" 792 563 30 >"$work/seen" &
      wpid=$!
      for _ in $(seq 100); do grep -q ready "$work/seen" 2>/dev/null && break; sleep 0.01; done
      start=$(date +%s%N)
      xdotool mousemove $((x + 312)) $((y + 348)) click 1
      if wait $wpid; then
        read -r mapped shown < <(tail -n 1 "$work/seen")
        maps+=($(((mapped - start) / 1000000)))
      fi
    else
      start=$(date +%s%N)
      xdotool mousemove $((x + 312)) $((y + 348)) click 1
      for _ in $(seq 600); do
        if dict=$(window_of '^Velkaram$' 792x563); then shown=$(date +%s%N); break; fi
        kill -0 $pid 2>/dev/null || break
        sleep 0.005
      done
    fi
    if [ -z "$shown" ]; then
      echo "$n: the dictionary did not open (the program $(kill -0 $pid 2>/dev/null && echo "shows a message" || echo ended))"
      kill $pid 2>/dev/null; wait $pid 2>/dev/null
      continue
    fi
    times+=($(((shown - start) / 1000000)))
    sleep 0.5
    rss+=($(awk '/VmRSS/ {print int($2 / 1024)}' /proc/$pid/status))
    kill $pid; wait $pid 2>/dev/null
  done
  if [ ${#times[@]} -gt 0 ]; then
    echo "$n entries: click to dictionary painted (ms): ${times[*]}; median $(median "${times[@]}")${maps:+; to its window mapped: median $(median "${maps[@]}")}; RSS after opening (MB): ${rss[*]}, median $(median "${rss[@]}")"
  fi
done
