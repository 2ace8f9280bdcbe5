#!/usr/bin/env bash
# Runs busy_input_tests on a virtual X display, where xdotool can click. Skipped (77) where
# Xvfb or xdotool is missing.
set -u
program=$1
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "no Xvfb/xdotool"; exit 77; }

display=:$((500 + RANDOM % 400))
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait 2>/dev/null' EXIT
sleep 1
# Under the sanitizers: what the session bus library leaks at exit is not ours.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan-x11.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
env -u QT_QPA_PLATFORM DISPLAY=$display XDG_RUNTIME_DIR=$(mktemp -d) "$program"
