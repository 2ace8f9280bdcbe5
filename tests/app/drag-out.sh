#!/usr/bin/env bash
# The real program on a virtual display, driven with xdotool as a user would drive it:
#   1. press on "Merge it!", drag the pointer out while holding (the pressed look goes),
#      release outside: nothing is merged (no message box about the empty lists) and the face
#      is back as it was;
#   2. the next click merges (the message box shows, and is closed);
#   3. press, drag out and back in, release: that merges too.
# Skipped (77) where Xvfb, xwininfo or xdotool is missing.
#   drag-out.sh DYADLIST SCREEN_GRAB        (DRAG_OUT_DISPLAY picks the display, e.g. :57)
set -u
program=$1
grab=$2
for tool in Xvfb xwininfo xdotool; do
    command -v "$tool" >/dev/null || { echo "no $tool"; exit 77; }
done

display=${DRAG_OUT_DISPLAY:-:$((500 + RANDOM % 400))}
. "$(dirname "$0")/real-window.sh"
info=$(xwininfo -id "$window")
left=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
top=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
menu=$(($(awk '/Height:/ {print $2}' <<<"$info") - 659))
# "Merge it!" lies at the right of the bottom row: its middle, in screen points.
x=$((left + 968))
y=$((top + menu + 645))

windows() { xdotool search --onlyvisible --name '^Dyadlist$' 2>/dev/null | wc -l; }
close_box() {
    for w in $(xdotool search --onlyvisible --name '^Dyadlist$' 2>/dev/null); do
        [ "$w" = "$((window))" ] && continue
        xdotool windowfocus "$w"
        sleep 0.2
        xdotool key Return
        sleep 0.5
    done
    [ "$(windows)" -eq 1 ] || fail "the message box did not close"
}
face() {
    env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR=$(mktemp -d) "$grab" "$window" - \
        "950,$((menu + 636))" "950,$((menu + 652))" | tail -n 2 | tr '\n' ' '
}
drag_out() {
    for s in $(seq 1 25); do
        xdotool mousemove $((x - 4 * s)) $((y - s))
        sleep 0.02
    done
}

xdotool mousemove $((x - 300)) $((y - 300))
sleep 0.5
resting=$(face)
xdotool mousemove "$x" "$y"
sleep 0.3

# 1. Out and released outside; while held away the pressed look is gone.
xdotool mousedown 1
sleep 0.3
pressed=$(face)
drag_out
sleep 0.5
[ "$(face)" != "$pressed" ] || fail "the pressed look stayed while the pointer was away: $pressed"
xdotool mouseup 1
sleep 1
[ "$(windows)" -eq 1 ] || fail "a release outside merged"
xdotool mousemove $((x - 300)) $((y - 300))
sleep 0.5
[ "$(face)" = "$resting" ] || fail "the face stayed changed after a release outside: $(face), not $resting"

# 2. The next click merges.
xdotool mousemove "$x" "$y"
sleep 0.3
xdotool click 1
sleep 1
[ "$(windows)" -eq 2 ] || fail "the click after a release outside did not merge"
close_box

# 3. Out and back in before the release.
xdotool mousemove "$x" "$y"
sleep 0.3
xdotool mousedown 1
sleep 0.3
drag_out
xdotool mousemove "$x" "$y"
sleep 0.3
xdotool mouseup 1
sleep 1
[ "$(windows)" -eq 2 ] || fail "a press dragged out and back in did not merge"
close_box
echo "released outside: no merge, face as before; then a click and a drag back in both merged"
