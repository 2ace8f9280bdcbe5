#!/usr/bin/env bash
# "Merge it!" in the main window against dyadlist-compare on the same lists, each run in a
# fresh process, alternating, on two pairs:
#   - the generated pair of compare-vs-sort.sh, 1,000,000 x 1,000,000 lines (bench/data/1000000;
#     LINES=10000000 takes the 10,000,000-line pair instead);
#   - copies of one line: 3,000 of it plus one other line on the left, 3,000 of it on the
#     right, which gives 9,000,000 multiple hits.
# For the window: the time from the click until both result panes have painted, and the
# process's peak memory (VmHWM) after the merge, loading included. For the tool: its wall
# time and peak memory (GNU time), writing both result files. Medians of REPS runs.
#
#   bench/merge-big-lists.sh [BUILD_DIR]        (REPS=N sets the repetitions, default 3)
#
# Needs the targets merge-click, dyadlist-compare and make-lists built in BUILD_DIR. The
# goals: click to painted under 1.5 s on the 1M pair and under 5 s on the 9M hits, the whole
# process under 500 MB after the 1M merge.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
reps=${REPS:-3}
merge=$build/bin/merge-click
tool=$build/bin/dyadlist-compare
make_lists=$build/bin/make-lists

for program in "$merge" "$tool" "$make_lists"; do
    [[ -x $program ]] || { echo "missing $program; build merge-click, dyadlist-compare and make-lists" >&2; exit 1; }
done
[[ -x /usr/bin/time ]] || { echo "GNU time is missing (apt-get install -y time)" >&2; exit 1; }

data=$root/bench/data
lines=${LINES:-1000000}
big=$data/$lines
copies=$data/copies-3001x3000
mkdir -p "$big" "$copies"
[[ -f $big/left.txt && -f $big/right.txt ]] || "$make_lists" "$big" "$lines" >/dev/null
if [[ ! -f $copies/left.txt || ! -f $copies/right.txt ]]; then
    awk 'BEGIN { for (i = 0; i < 3000; i++) print "one line, many times" }' >"$copies/right.txt"
    { cat "$copies/right.txt"; echo 'only on the left'; } >"$copies/left.txt"
fi

now_ns() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for pair in "$big" "$copies"; do
    window_s=() window_mb=() tool_s=() tool_mb=()
    for ((i = 0; i < reps; i++)); do
        out=$(QT_QPA_PLATFORM=offscreen "$merge" "$pair/left.txt" "$pair/right.txt" 2>/dev/null)
        echo "  window run $((i + 1)): $out"
        window_s+=("$(sed -E 's/^click to painted ([0-9.]+) s.*/\1/' <<<"$out")")
        window_mb+=("$(sed -E 's/.*peak ([0-9]+) MB.*/\1/' <<<"$out")")

        start=$(now_ns)
        /usr/bin/time -f %M -o "$data/time.txt" "$tool" -m "$pair/out1" -s "$pair/out2" \
            "$pair/left.txt" "$pair/right.txt" >/dev/null
        end=$(now_ns)
        tool_s+=("$(awk -v ns=$((end - start)) 'BEGIN { printf "%.3f", ns / 1e9 }')")
        tool_mb+=("$(($(tail -1 "$data/time.txt") / 1024))")
    done
    echo "$(basename "$pair"): $(wc -l <"$pair/left.txt") x $(wc -l <"$pair/right.txt") lines;" \
        "$("$tool" "$pair/left.txt" "$pair/right.txt" | tr '\n' ' ')(median of $reps)"
    printf '  %-34s %8s s %6s MB peak\n' "window: click to both panes painted" \
        "$(printf '%s\n' "${window_s[@]}" | median)" "$(printf '%s\n' "${window_mb[@]}" | median)"
    printf '  %-34s %8s s %6s MB peak\n' "dyadlist-compare -m -s" \
        "$(printf '%s\n' "${tool_s[@]}" | median)" "$(printf '%s\n' "${tool_mb[@]}" | median)"
done
