#!/usr/bin/env bash
# Regenerates the program icon and the toolbar strip (one 16x15 tile per
# button, in toolbar order). The PNGs are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# icon 2: an envelope-blue tile with a white "Z" and a small speaker wave
convert -size 32x32 xc:none -fill '#1f5fa8' -draw 'roundrectangle 1,1 30,30 6,6' \
  -fill white -font "$font" -pointsize 22 -gravity center -annotate +0+0 'Z' \
  -fill none -stroke '#ffd23f' -strokewidth 2 -draw 'arc 20,4 30,14 -60,60' icon2.png

# bitmap 2: tile colour by menu group, short label per command
labels=(Ad Ch AA Ln CL GL Fx GN AM Bk DG Si SP CS Op DT Cx La '?')
colours=('#2e7d32' '#2e7d32' '#1565c0' '#1565c0' '#1565c0' '#6a1b9a' '#c62828'
         '#ef6c00' '#ef6c00' '#ef6c00' '#ef6c00' '#ef6c00'
         '#37474f' '#37474f' '#37474f' '#37474f' '#37474f' '#37474f' '#00838f')
tiles=()
for i in "${!labels[@]}"; do
  convert -size 16x15 xc:'#c0c0c0' -fill "${colours[$i]}" -draw 'roundrectangle 0,0 15,14 3,3' \
    -fill white -font "$font" -pointsize 8 -gravity center -annotate +0+0 "${labels[$i]}" \
    "tile$i.png"
  tiles+=("tile$i.png")
done
convert "${tiles[@]}" +append bitmap2.png
rm -f tile*.png
