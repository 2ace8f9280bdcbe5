#!/usr/bin/env bash
# Times dyadlist-compare against the usual shell way of comparing two lists (sort + comm) and
# against its read floor (read-lists: both lists mapped and split as the tool does, nothing
# else), on generated lists of 1,000,000 and 5,000,000 lines, and measures peak memory.
#
#   bench/compare-vs-sort.sh [BUILD_DIR] [LINES...]
#
# LINES default to "1000000 5000000"; add 10000000 (or set LINES="1000000 5000000 10000000")
# for the big one. REPS=N sets the repetitions (default 3).
#
# Every figure is a first run: each command starts in a fresh process, with no warm-up round
# (the lists are in the page cache, having just been written), and the three alternate so
# drifts of the machine hit them alike. Medians of time and of peak resident memory (GNU
# time's %M); the pipeline's peak is that of its largest process, as its steps run one after
# the other. Needs the targets dyadlist-compare, make-lists and read-lists built in
# BUILD_DIR. The goals: at most 0.3 of the pipeline's time and 1.5 times the read floor's,
# and at most 1.2 times the pipeline's peak memory.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
sizes=("$@")
if [[ ${#sizes[@]} -eq 0 ]]; then
    read -r -a sizes <<<"${LINES:-1000000 5000000}"
fi
reps=${REPS:-3}
tool=$build/bin/dyadlist-compare
make_lists=$build/bin/make-lists
read_lists=$build/bin/read-lists

for program in "$tool" "$make_lists" "$read_lists"; do
    if [[ ! -x $program ]]; then
        echo "missing $program; build it with: cmake --build $build --target dyadlist-compare make-lists read-lists" >&2
        exit 1
    fi
done
if [[ ! -x /usr/bin/time ]]; then
    if [[ $(id -u) -eq 0 ]] && command -v apt-get >/dev/null; then
        apt-get install -y -qq time >/dev/null
    fi
    [[ -x /usr/bin/time ]] || { echo "GNU time is missing (apt-get install -y time)" >&2; exit 1; }
fi

now_ns() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# measure NAME COMMAND...: runs the command once under GNU time and appends its wall time in
# microseconds to NAME_us and its peak memory in KB to NAME_kb.
measure() {
    local name=$1
    shift
    local start end
    start=$(now_ns)
    /usr/bin/time -f %M -o "$data/time.txt" "$@" >/dev/null
    end=$(now_ns)
    eval "${name}_us+=($(((end - start) / 1000)))"
    eval "${name}_kb+=($(tail -1 "$data/time.txt"))"
}

pipeline() {
    LC_ALL=C sort "$1" >"$3/ls"
    LC_ALL=C sort "$2" >"$3/rs"
    LC_ALL=C comm -12 "$3/ls" "$3/rs" >"$3/c1"
    LC_ALL=C comm -3 "$3/ls" "$3/rs" >"$3/c2"
}
export -f pipeline

for lines in "${sizes[@]}"; do
    data=$root/bench/data/$lines
    mkdir -p "$data"
    [[ -f $data/left.txt && -f $data/right.txt ]] || "$make_lists" "$data" "$lines"
    left=$data/left.txt
    right=$data/right.txt

    tool_us=() tool_kb=() pipeline_us=() pipeline_kb=() floor_us=() floor_kb=()
    for ((i = 0; i < reps; i++)); do
        measure tool "$tool" -m "$data/out1" -s "$data/out2" "$left" "$right"
        measure pipeline bash -c 'pipeline "$@"' _ "$left" "$right" "$data"
        measure floor "$read_lists" "$left" "$right"
    done

    echo "lists: $(wc -l <"$left") and $(wc -l <"$right") lines ($(($(stat -c %s "$left") / 1000000)) and $(($(stat -c %s "$right") / 1000000)) MB); first runs, median of $reps"
    "$tool" "$left" "$right" | tr '\n' ' '
    echo
    awk -v t="$(printf '%s\n' "${tool_us[@]}" | median)" \
        -v p="$(printf '%s\n' "${pipeline_us[@]}" | median)" \
        -v f="$(printf '%s\n' "${floor_us[@]}" | median)" \
        -v tk="$(printf '%s\n' "${tool_kb[@]}" | median)" \
        -v pk="$(printf '%s\n' "${pipeline_kb[@]}" | median)" \
        -v fk="$(printf '%s\n' "${floor_kb[@]}" | median)" 'BEGIN {
        printf "  %-28s %9s %12s\n", "", "time", "peak RSS"
        printf "  %-28s %7.1f ms %9.1f MB\n", "dyadlist-compare -m -s", t / 1000, tk / 1024
        printf "  %-28s %7.1f ms %9.1f MB\n", "sort + sort + comm + comm", p / 1000, pk / 1024
        printf "  %-28s %7.1f ms %9.1f MB\n", "read floor (read-lists)", f / 1000, fk / 1024
        printf "  ratio tool / pipeline        %.3f time (goal: at most 0.3), %.3f memory (goal: at most 1.2)\n", t / p, tk / pk
        printf "  ratio tool / read floor      %.3f time (goal: at most 1.5)\n", t / f
    }'
done
