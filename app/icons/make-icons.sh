#!/usr/bin/env bash
# Draws the window icon at 16, 32 and 48 pixels with ImageMagick: two lists on sheets that
# overlap, the left one blue, the right one orange, and the lines they share in the overlap
# drawn dark. Run it again after changing the drawing; the PNGs are kept in the repository.
set -euo pipefail
cd "$(dirname "$0")"
for n in 16 32 48; do
  s=$(echo "scale=4; $n/48" | bc)
  p() { printf '%.0f' "$(echo "$1*$s" | bc)"; }
  lines_left="" lines_right="" lines_both=""
  for y in 14 20 26 32; do
    lines_left+=" line $(p 6),$(p $y) $(p 16),$(p $y)"
    lines_both+=" line $(p 20),$(p $y) $(p 28),$(p $y)"
    lines_right+=" line $(p 32),$(p $((y + 4))) $(p 42),$(p $((y + 4)))"
  done
  w=$(( n >= 32 ? 2 : 1 ))
  convert -size ${n}x${n} xc:none \
    -stroke '#1f4e9c' -strokewidth $w -fill '#dbe7fb' \
    -draw "roundrectangle $(p 2),$(p 4) $(p 30),$(p 40) $(p 3),$(p 3)" \
    -stroke '#b4540f' -fill '#fde6cf80' \
    -draw "roundrectangle $(p 18),$(p 9) $(p 46),$(p 45) $(p 3),$(p 3)" \
    -stroke '#1f4e9c' -strokewidth $w -draw "$lines_left" \
    -stroke '#b4540f' -draw "$lines_right" \
    -stroke '#202020' -draw "$lines_both" \
    "dyadlist-$n.png"
done
