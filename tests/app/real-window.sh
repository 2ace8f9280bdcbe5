# Sourced by the real-window tests: starts a virtual display ($display) and the program
# ($program) on it, waits for its window titled "Dyadlist" and its first paint, and leaves its
# id in $window. Both end with the test (cleanup, on exit). Provides fail MESSAGE.
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=""
cleanup() { [ -n "$app" ] && kill "$app" 2>/dev/null; kill "$xvfb" 2>/dev/null; wait 2>/dev/null; }
trap cleanup EXIT
export DISPLAY=$display
# The sanitizer build checks leaks at a clean exit; the session bus's own are not ours.
export LSAN_OPTIONS="suppressions=$(dirname "${BASH_SOURCE[0]}")/../platform/lsan-x11.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
sleep 1

env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR=$(mktemp -d) "$program" &
app=$!
window=""
for _ in $(seq 50); do
    window=$(xwininfo -name Dyadlist 2>/dev/null | awk '/Window id/ {print $4}')
    [ -n "$window" ] && break
    kill -0 "$app" 2>/dev/null || { echo "dyadlist ended before showing its window"; exit 1; }
    sleep 0.2
done
[ -n "$window" ] || { echo "no window titled Dyadlist appeared"; exit 1; }
sleep 1 # the first paint

fail() { echo "$*"; exit 1; }
