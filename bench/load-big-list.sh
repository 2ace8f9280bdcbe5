#!/usr/bin/env bash
# Loads a generated list of LINES lines (default 10,000,000, about 160 MB) into a list editor,
# each time in a fresh process, and prints the load time and the peak memory of each run and
# their medians.
#
#   bench/load-big-list.sh [BUILD_DIR] [LINES]      (REPS=N sets the repetitions, default 3)
#
# Needs the targets memo-load and make-lists built in BUILD_DIR. Another BUILD_DIR (an older
# build, say) can be measured the same way with the same file, for a ratio from one run.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
lines=${2:-10000000}
reps=${REPS:-3}
data=$root/bench/data
file=$data/big-$lines/left.txt

for program in "$build/bin/memo-load" "$build/bin/make-lists"; do
    [[ -x $program ]] || { echo "missing $program; build the memo-load and make-lists targets" >&2; exit 1; }
done
[[ -x /usr/bin/time ]] || { echo "GNU time is missing (apt-get install -y time)" >&2; exit 1; }
if [[ ! -f $file ]]; then
    mkdir -p "$data/big-$lines"
    "$build/bin/make-lists" "$data/big-$lines" "$lines" >/dev/null
fi
echo "file: $(stat -c %s "$file") bytes, $lines lines requested"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
secs=()
mbs=()
for ((i = 0; i < reps; i++)); do
    out=$(QT_QPA_PLATFORM=offscreen /usr/bin/time -f "%M" "$build/bin/memo-load" "$file" 2>"$data/time.txt")
    kb=$(tail -1 "$data/time.txt")
    s=${out%% s *}
    secs+=("$s")
    mbs+=("$((kb / 1024))")
    echo "run $((i + 1)): $out, peak ${mbs[-1]} MB"
done
echo "median: $(printf '%s\n' "${secs[@]}" | median) s, $(printf '%s\n' "${mbs[@]}" | median) MB peak"
