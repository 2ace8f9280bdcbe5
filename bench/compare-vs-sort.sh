#!/usr/bin/env bash
# Times dyadlist-compare against the usual shell way of comparing two lists (sort + comm) on
# two generated lists of 1,000,000 lines, in one run, and measures the tool's peak memory.
#
#   bench/compare-vs-sort.sh [BUILD_DIR]      (default: build; REPS=N sets the repetitions)
#
# Needs the targets dyadlist-compare and make-lists built in BUILD_DIR. The goal: at most half
# the time of the pipeline, below 400 MB peak resident memory.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
reps=${REPS:-7}
tool=$build/bin/dyadlist-compare
make_lists=$build/bin/make-lists
data=$root/bench/data

for program in "$tool" "$make_lists"; do
    if [[ ! -x $program ]]; then
        echo "missing $program; build it with: cmake --build $build --target dyadlist-compare make-lists" >&2
        exit 1
    fi
done
if [[ ! -x /usr/bin/time ]]; then
    if [[ $(id -u) -eq 0 ]] && command -v apt-get >/dev/null; then
        apt-get install -y -qq time >/dev/null
    else
        echo "GNU time is missing (apt-get install -y time); peak memory will not be measured" >&2
    fi
fi

mkdir -p "$data"
"$make_lists" "$data"
left=$data/left.txt
right=$data/right.txt

now_ns() { date +%s%N; }

run_tool() {
    "$tool" -m "$data/out1" -s "$data/out2" "$left" "$right" >/dev/null
}

run_pipeline() {
    LC_ALL=C sort "$left" >"$data/ls"
    LC_ALL=C sort "$right" >"$data/rs"
    LC_ALL=C comm -12 "$data/ls" "$data/rs" >"$data/c1"
    LC_ALL=C comm -3 "$data/ls" "$data/rs" >"$data/c2"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One warm-up each, so both start with the files in the page cache; then alternate, so drifts
# of the machine hit both alike.
run_tool
run_pipeline
tool_times=()
pipeline_times=()
for ((i = 0; i < reps; i++)); do
    start=$(now_ns); run_tool; end=$(now_ns)
    tool_times+=($(((end - start) / 1000)))
    start=$(now_ns); run_pipeline; end=$(now_ns)
    pipeline_times+=($(((end - start) / 1000)))
done
tool_us=$(printf '%s\n' "${tool_times[@]}" | median)
pipeline_us=$(printf '%s\n' "${pipeline_times[@]}" | median)

echo "lists: $(wc -l <"$left") and $(wc -l <"$right") lines, $reps repetitions"
"$tool" "$left" "$right"
awk -v t="$tool_us" -v p="$pipeline_us" 'BEGIN {
    printf "dyadlist-compare -m -s     median %8.1f ms\n", t / 1000
    printf "sort + sort + comm + comm  median %8.1f ms\n", p / 1000
    printf "ratio tool / pipeline      %.3f (goal: at most 0.5)\n", t / p
}'
if [[ -x /usr/bin/time ]]; then
    rss_kb=$(/usr/bin/time -v "$tool" -m "$data/out1" -s "$data/out2" "$left" "$right" 2>&1 >/dev/null |
        awk -F': ' '/Maximum resident set size/ { print $2 }')
    awk -v k="$rss_kb" 'BEGIN { printf "peak RSS of dyadlist-compare %.1f MB (goal: below 400 MB)\n", k / 1024 }'
fi
