#!/usr/bin/env bash
# Times dyadlist-compare on two lists of 50,000,000 lines (6-24 bytes each) with a memory
# budget of 512 MB, which sends it out of core, against LC_ALL=C sort -S 512M twice plus
# comm -12 and comm -3 in the same run, and the tool without a budget (in memory) beside them.
#
#   bench/out-of-core-vs-sort.sh [BUILD_DIR] [LINES]
#
# LINES defaults to 50000000; REPS=N sets the repetitions (default 3); MEMORY the budget and
# sort's buffer (default 512M). Medians of wall time, of peak resident memory (GNU time's %M;
# the pipeline's is that of its largest step) and of bytes written to disk (the kernel's
# write_bytes of the process and its children: spill files, sort's runs and every output).
# The first round is reported apart: it is the one that finds the page cache as the lists'
# writing left it. The goals: at most half of the pipeline's time, and peak memory within
# the budget plus 64 MB.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
lines=${2:-50000000}
reps=${REPS:-3}
memory=${MEMORY:-512M}
tool=$build/bin/dyadlist-compare
make_lists=$build/bin/make-lists
for program in "$tool" "$make_lists"; do
    [[ -x $program ]] || { echo "missing $program; build the targets dyadlist-compare make-lists" >&2; exit 1; }
done
[[ -x /usr/bin/time ]] || { echo "GNU time is missing (apt-get install -y time)" >&2; exit 1; }

data=$root/bench/data/$lines
mkdir -p "$data"
[[ -f $data/left.txt && -f $data/right.txt ]] || "$make_lists" "$data" "$lines"
left=$data/left.txt
right=$data/right.txt
scratch=$(mktemp -d "${TMPDIR:-/tmp}/out-of-core-bench.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# measure NAME COMMAND...: runs the command under GNU time, in a shell whose write_bytes at
# its end counts its children's too, and appends wall ms, peak KB and MB written.
measure() {
    local name=$1
    shift
    local start end written
    start=$(date +%s%N)
    written=$(/usr/bin/time -f %M -o "$scratch/time.txt" bash -c '"$@" >/dev/null; grep ^write_bytes /proc/$$/io' _ "$@" | awk '{ print $2 }')
    end=$(date +%s%N)
    eval "${name}_ms+=($(((end - start) / 1000000)))"
    eval "${name}_kb+=($(tail -1 "$scratch/time.txt"))"
    eval "${name}_mb+=($((written / 1000000)))"
}

pipeline() {
    LC_ALL=C sort -S "$MEMORY" -T "$4" "$1" >"$3/ls"
    LC_ALL=C sort -S "$MEMORY" -T "$4" "$2" >"$3/rs"
    LC_ALL=C comm -12 "$3/ls" "$3/rs" >"$3/c1"
    LC_ALL=C comm -3 "$3/ls" "$3/rs" >"$3/c2"
    rm -f "$3/ls" "$3/rs" "$3/c1" "$3/c2"
}
export -f pipeline
export MEMORY=$memory

budget_ms=() budget_kb=() budget_mb=() pipeline_ms=() pipeline_kb=() pipeline_mb=()
whole_ms=() whole_kb=() whole_mb=()
for ((i = 0; i < reps; i++)); do
    measure budget "$tool" -q --memory "$memory" --temporary-directory "$scratch" \
        -m "$scratch/m" -s "$scratch/s" "$left" "$right"
    rm -f "$scratch/m" "$scratch/s"
    measure pipeline bash -c 'pipeline "$@"' _ "$left" "$right" "$scratch" "$scratch"
    measure whole "$tool" -q -m "$scratch/m" -s "$scratch/s" "$left" "$right"
    rm -f "$scratch/m" "$scratch/s"
    echo "round $((i + 1)): --memory $memory ${budget_ms[i]} ms ${budget_kb[i]} KB ${budget_mb[i]} MB written;" \
        "sort+comm ${pipeline_ms[i]} ms ${pipeline_kb[i]} KB ${pipeline_mb[i]} MB;" \
        "no budget ${whole_ms[i]} ms ${whole_kb[i]} KB ${whole_mb[i]} MB" >&2
done

report() {
    local name=$1 label=$2 ms kb mb
    ms=$(eval "printf '%s\n' \"\${${name}_ms[@]}\"" | median)
    kb=$(eval "printf '%s\n' \"\${${name}_kb[@]}\"" | median)
    mb=$(eval "printf '%s\n' \"\${${name}_mb[@]}\"" | median)
    printf '%-28s %8.2f s %7d MB peak %7d MB written\n' "$label" "$(bc -l <<<"$ms / 1000")" $((kb / 1024)) "$mb"
    eval "${name}_median=$ms"
}
echo "$lines lines a list, $reps rounds, medians:"
report budget "dyadlist-compare --memory $memory"
report pipeline "sort -S $memory x2 + comm x2"
report whole "dyadlist-compare (no budget)"
printf 'time ratio to sort+comm: --memory %.2f, no budget %.2f\n' \
    "$(bc -l <<<"$budget_median / $pipeline_median")" "$(bc -l <<<"$whole_median / $pipeline_median")"
