#!/usr/bin/env bash
# Starts the real program on a virtual display, waits for its window titled "Dyadlist", and
# looks at it: the client area is 1000 x 659 below the menu bar, the gutters, the captions
# and the buttons are painted. Then it closes the program from its menu (file, exit) and
# expects a clean end. Skipped (77) where Xvfb, xwininfo or xdotool is missing.
#   smoke.sh DYADLIST SCREEN_GRAB [SCREENSHOT.png]
set -u
program=$1
grab=$2
shot=${3:-$(mktemp --suffix=.png)}
for tool in Xvfb xwininfo xdotool; do
    command -v "$tool" >/dev/null || { echo "no $tool"; exit 77; }
done

display=:$((500 + RANDOM % 400))
. "$(dirname "$0")/real-window.sh"
width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
menu=$((height - 659))
[ "$width" -eq 1000 ] || fail "window is $width wide, not 1000"
[ "$menu" -ge 10 ] && [ "$menu" -le 40 ] || fail "window is $height high: no 659-pixel client below a menu bar"

# Client points shifted below the menu bar: colours and counts of dark pixels.
at() { echo "$1,$(($2 + menu))${3:+,$3,$4}"; }
mapfile -t seen < <(env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR=$(mktemp -d) "$grab" "$window" "$shot" \
    "$(at 20 140)" "$(at 300 140)" \
    "$(at 5 35 40 16)" "$(at 505 35 40 16)" \
    "$(at 10 3 100 20)" "$(at 510 3 100 20)" "$(at 10 403 120 20)" "$(at 510 403 120 20)" \
    "$(at 440 5 55 22)" "$(at 940 633 58 23)")
[ "${seen[0]:-}" = "1000x$height" ] || fail "screen grab failed: ${seen[*]}"
[ "${seen[1]}" != "${seen[2]}" ] && [ "${seen[2]}" = "#ffffff" ] || fail "no gutter beside a white editor: ${seen[1]} ${seen[2]}"
[ "${seen[3]}" -gt 3 ] && [ "${seen[4]}" -gt 3 ] || fail "no line number 1 in the gutters"
for i in 5 6 7 8; do
    [ "${seen[$i]}" -gt 20 ] || fail "caption $((i - 4)) is not painted"
done
[ "${seen[9]}" -gt 10 ] && [ "${seen[10]}" -gt 10 ] || fail "the buttons' captions are not painted"
echo "window and its parts shown; picture in $shot"

# file, e&xit from the keyboard, as typed into the focused window.
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key alt+f
sleep 0.5
xdotool key x
for _ in $(seq 25); do
    if ! kill -0 "$app" 2>/dev/null; then
        wait "$app"
        status=$?
        app=""
        [ "$status" -eq 0 ] || fail "dyadlist ended with status $status"
        echo "closed from its menu"
        exit 0
    fi
    sleep 0.2
done
fail "dyadlist did not end after file, exit"
