#!/usr/bin/env bash
# Times dyadlist-compare --explain against the plain comparison of the same lists, on two
# pairs of 1,000,000-line lists (or LINES): the pair of compare-vs-sort.sh as it is, and the
# same pair with a near miss planted in every 5th line of the right list (a trailing blank,
# capitals, a zero-width space, in turn), so that the near-miss search has work to do.
#
#   bench/explain-vs-plain.sh [BUILD_DIR] [LINES]
#
# REPS=N sets the repetitions (default 5). Each command runs in a fresh process, the two
# alternating; medians of wall time. Needs dyadlist-compare and make-lists built in
# BUILD_DIR. The goal: --explain at most 1.5 times the plain comparison.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
lines=${2:-1000000}
reps=${REPS:-5}
tool=$build/bin/dyadlist-compare
make_lists=$build/bin/make-lists
for program in "$tool" "$make_lists"; do
    if [[ ! -x $program ]]; then
        echo "missing $program; build it with: cmake --build $build --target dyadlist-compare make-lists" >&2
        exit 1
    fi
done

data=$root/bench/data/$lines
mkdir -p "$data"
[[ -f $data/left.txt && -f $data/right.txt ]] || "$make_lists" "$data" "$lines"
if [[ ! -f $data/right-near.txt ]]; then
    LC_ALL=C awk '{
        if (NR % 15 == 5) print $0 " ";
        else if (NR % 15 == 10) print toupper($0);
        else if (NR % 15 == 0) print substr($0, 1, 1) "\342\200\213" substr($0, 2);
        else print
    }' "$data/right.txt" >"$data/right-near.txt"
fi

now_ns() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
elapsed_us() {
    local start end
    start=$(now_ns)
    "$@" >/dev/null
    end=$(now_ns)
    echo $(((end - start) / 1000))
}

for right in right.txt right-near.txt; do
    plain=() explain=()
    for ((i = 0; i < reps; i++)); do
        plain+=("$(elapsed_us "$tool" -q "$data/left.txt" "$data/$right")")
        explain+=("$(elapsed_us "$tool" -q --explain "$data/left.txt" "$data/$right")")
    done
    echo "left.txt against $right ($lines lines each); median of $reps"
    "$tool" -q --explain "$data/left.txt" "$data/$right" | sed -n '1,3p;/^  [a-z-]*:/p' | sed 's/^/  /'
    awk -v p="$(printf '%s\n' "${plain[@]}" | median)" \
        -v e="$(printf '%s\n' "${explain[@]}" | median)" 'BEGIN {
        printf "  plain      %7.1f ms\n  --explain  %7.1f ms\n", p / 1000, e / 1000
        printf "  ratio      %.3f (goal: at most 1.5)\n", e / p
    }'
done
