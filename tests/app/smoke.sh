#!/usr/bin/env bash
# Starts the real program on a virtual display and checks that its window titled "Dyadlist"
# appears and that it keeps running. Skipped (77) where Xvfb or xwininfo is missing.
set -u
program=$1
command -v Xvfb >/dev/null && command -v xwininfo >/dev/null || { echo "no Xvfb/xwininfo"; exit 77; }

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill "$app" "$xvfb" 2>/dev/null; wait 2>/dev/null; }
trap cleanup EXIT
sleep 1

env -u QT_QPA_PLATFORM DISPLAY=$display XDG_RUNTIME_DIR=$(mktemp -d) "$program" &
app=$!
for _ in $(seq 50); do
    if DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -q '"Dyadlist"'; then
        sleep 1
        kill -0 "$app" 2>/dev/null || { echo "dyadlist ended on its own"; exit 1; }
        echo "window shown"
        exit 0
    fi
    kill -0 "$app" 2>/dev/null || { echo "dyadlist ended before showing its window"; exit 1; }
    sleep 0.2
done
echo "no window titled Dyadlist appeared"
exit 1
