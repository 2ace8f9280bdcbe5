#!/usr/bin/env bash
# Times dyadlist-cluster on a local Dask cluster of one and of two workers against
# dyadlist-compare and sort + comm in the same run, on two lists of 20,000,000 lines (6-24
# bytes each, from make-lists), and once more with a worker memory limit below the lists'
# size, where Dask spills to disk.
#
#   bench/cluster-vs-compare.sh [BUILD_DIR] [LINES]
#
# REPS=N sets the rounds (default 3); SPILL_LIMIT the spilling run's memory limit per worker
# (default 512M, below the lists' 640 MB, let alone the records they become), SPILL_WORKERS its
# workers (default 1); that run reads blocks of 16M into 32 partitions, so that one task's
# data is a small part of the limit. Every command starts in a fresh process and writes both entry files; the
# commands alternate within a round, so drifts of the machine hit them alike. Medians of wall
# time; lines per second count both lists' lines. Throughput per core: dyadlist-compare's over
# the machine's cores (it indexes on two threads), the cluster's over its workers (one thread
# each). Per worker, from --worker-stats: the peak memory of its process and of its largest
# kernel run (a child process, so the two add up at worst) and the bytes Dask spilled. The
# goal: at least a quarter of dyadlist-compare's lines per second per core, per worker.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
lines=${2:-20000000}
reps=${REPS:-3}
spill_limit=${SPILL_LIMIT:-512M}
spill_workers=${SPILL_WORKERS:-1}
compare=$build/bin/dyadlist-compare
cluster=$build/bin/dyadlist-cluster
make_lists=$build/bin/make-lists
for program in "$compare" "$cluster" "$build/bin/dyadlist-cluster-kernel" "$make_lists"; do
    [[ -x $program ]] || { echo "missing $program; build it first (scripts/build)" >&2; exit 1; }
done
[[ -x /usr/bin/time ]] || { echo "GNU time is missing (apt-get install -y time)" >&2; exit 1; }

data=$root/bench/data/$lines
mkdir -p "$data"
[[ -f $data/left.txt && -f $data/right.txt ]] || "$make_lists" "$data" "$lines"
left=$data/left.txt
right=$data/right.txt
scratch=$(mktemp -d "${TMPDIR:-/tmp}/cluster-bench.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cores=$(nproc)
total_lines=$((2 * lines))

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# timed NAME COMMAND...: appends the wall ms to NAME_ms and GNU time's peak KB to NAME_kb.
timed() {
    local name=$1 start end
    shift
    start=$(now_ms)
    /usr/bin/time -f %M -o "$scratch/time.txt" "$@" >/dev/null
    end=$(now_ms)
    eval "${name}_ms+=($((end - start)))"
    eval "${name}_kb+=($(tail -1 "$scratch/time.txt"))"
}

# cluster_run NAME WORKERS [OPTION]...: the cluster's wall ms, and per worker its process's
# and its largest kernel run's peak MB and MB spilled, from --worker-stats.
cluster_run() {
    local name=$1 workers=$2 start end
    shift 2
    start=$(now_ms)
    "$cluster" -q --workers "$workers" --worker-stats --temporary-directory "$scratch" "$@" \
        -m "$scratch/m" -s "$scratch/s" "$left" "$right" >/dev/null 2>"$scratch/stats.txt"
    end=$(now_ms)
    eval "${name}_ms+=($((end - start)))"
    local peak kernel spilled
    peak=$(sed -n 's/.*peak \([0-9]*\) MB.*/\1/p' "$scratch/stats.txt" | sort -n | tail -1)
    kernel=$(sed -n 's/.*kernel run \([0-9]*\) MB.*/\1/p' "$scratch/stats.txt" | sort -n | tail -1)
    spilled=$(sed -n 's/.*spilled \([0-9]*\) MB.*/\1/p' "$scratch/stats.txt" | awk '{ s += $1 } END { print s + 0 }')
    eval "${name}_peak+=($peak) ${name}_kernel+=($kernel) ${name}_spilled+=($spilled)"
    cmp -s "$scratch/m" "$scratch/m.compare" && cmp -s "$scratch/s" "$scratch/s.compare" ||
        { echo "$name: entries differ from dyadlist-compare's" >&2; exit 1; }
}

pipeline() {
    LC_ALL=C sort "$1" >"$3/ls"
    LC_ALL=C sort "$2" >"$3/rs"
    LC_ALL=C comm -12 "$3/ls" "$3/rs" >"$3/c1"
    LC_ALL=C comm -3 "$3/ls" "$3/rs" >"$3/c2"
    rm -f "$3/ls" "$3/rs" "$3/c1" "$3/c2"
}
export -f pipeline

compare_ms=() compare_kb=() pipeline_ms=() pipeline_kb=()
for name in one two spill; do
    eval "${name}_ms=() ${name}_peak=() ${name}_kernel=() ${name}_spilled=()"
done
for ((i = 0; i < reps; i++)); do
    timed compare "$compare" -q -m "$scratch/m.compare" -s "$scratch/s.compare" "$left" "$right"
    timed pipeline bash -c 'pipeline "$@"' _ "$left" "$right" "$scratch"
    cluster_run one 1
    cluster_run two 2
    cluster_run spill "$spill_workers" --memory-limit "$spill_limit" --block-size 16M \
        --partitions 32
    echo "round $((i + 1)): compare ${compare_ms[i]} ms ${compare_kb[i]} KB, sort+comm ${pipeline_ms[i]} ms," \
        "cluster 1 worker ${one_ms[i]} ms (peak ${one_peak[i]} + ${one_kernel[i]} MB)," \
        "2 workers ${two_ms[i]} ms (peak ${two_peak[i]} + ${two_kernel[i]} MB)," \
        "$spill_workers worker(s) limited to $spill_limit ${spill_ms[i]} ms" \
        "(peak ${spill_peak[i]} + ${spill_kernel[i]} MB, spilled ${spill_spilled[i]} MB)" >&2
done

m() { eval "printf '%s\n' \"\${$1[@]}\"" | median; }
echo "$lines lines a list ($(($(stat -c %s "$left") / 1000000)) and $(($(stat -c %s "$right") / 1000000)) MB), $reps rounds, medians, $cores cores:"
awk -v c="$(m compare_ms)" -v ck="$(m compare_kb)" -v p="$(m pipeline_ms)" -v pk="$(m pipeline_kb)" \
    -v o="$(m one_ms)" -v op="$(m one_peak)" -v ok="$(m one_kernel)" \
    -v t="$(m two_ms)" -v tp="$(m two_peak)" -v tk="$(m two_kernel)" \
    -v s="$(m spill_ms)" -v sp="$(m spill_peak)" -v sk="$(m spill_kernel)" -v ss="$(m spill_spilled)" \
    -v n="$total_lines" -v cores="$cores" -v sw="$spill_workers" -v limit="$spill_limit" 'BEGIN {
    per_core = n / (c / 1000) / cores
    printf "  %-40s %8.2f s  %6.2f M lines/s per core  %6d MB peak\n", "dyadlist-compare -m -s", c / 1000, per_core / 1e6, ck / 1024
    printf "  %-40s %8.2f s  %6.2f M lines/s per core  %6d MB peak\n", "sort x2 + comm x2", p / 1000, n / (p / 1000) / cores / 1e6, pk / 1024
    row("dyadlist-cluster, 1 worker", o, 1, op, ok, -1)
    row("dyadlist-cluster, 2 workers", t, 2, tp, tk, -1)
    row(sprintf("dyadlist-cluster, %d worker(s), limit %s", sw, limit), s, sw, sp, sk, ss)
}
function row(label, ms, workers, peak, kernel, spilled,   rate) {
    rate = n / (ms / 1000) / workers
    printf "  %-40s %8.2f s  %6.2f M lines/s per worker (%.2f of compare per core; goal 0.25)\n", label, ms / 1000, rate / 1e6, rate / per_core
    printf "  %-40s %8s    ratio to compare %.2f, to sort+comm %.2f; per worker peak %d MB + kernel %d MB%s\n", "", "", ms / c, ms / p, peak, kernel, (spilled >= 0 ? sprintf(", spilled %d MB", spilled) : "")
}'
