#!/usr/bin/env bash
# Start-up of the window program on a virtual display: the time from launching dyadlist until
# its window is mapped and painted (its client area shows the gutter of the left list), in
# fresh processes. Prints each run and the median.
#
#   bench/startup.sh [BUILD_DIR]        (REPS=N sets the runs, default 7)
#
# Needs Xvfb, xwininfo and the screen_grab target. The goal: under 1 s.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
reps=${REPS:-7}
program=$build/bin/dyadlist
grab=$build/bin/screen_grab
for needed in "$program" "$grab"; do
    [[ -x $needed ]] || { echo "missing $needed" >&2; exit 1; }
done

display=:$((500 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=$display XDG_RUNTIME_DIR=$(mktemp -d)
unset QT_QPA_PLATFORM
sleep 1

times=()
for _ in $(seq "$reps"); do
    start=$(date +%s%N)
    "$program" >/dev/null 2>&1 &
    app=$!
    while :; do
        window=$(xwininfo -name Dyadlist 2>/dev/null | awk "/Window id/ {print \$4}" || true)
        if [[ -n $window ]]; then
            height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
            # The left gutter, 140 rows into the client area, is painted grey once drawn.
            colour=$("$grab" "$window" - "20,$((height - 659 + 140))" 2>/dev/null | sed -n 2p || true)
            [[ -n $colour && $colour != "#000000" ]] && break
        fi
        sleep 0.01
    done
    end=$(date +%s%N)
    kill "$app"
    wait "$app" 2>/dev/null || true
    ms=$(((end - start) / 1000000))
    times+=("$ms")
    echo "start-up to painted: $ms ms"
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "median: " a[int((NR+1)/2)] " ms"}'
