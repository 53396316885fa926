#!/usr/bin/env bash
# Draws the cover picture, assets/cover.jpg: a calibration line through five standards, with a
# rack of three cuvettes, on a warm gradient. 513 x 324 pixels, baseline JPEG (JFIF, three colour
# components), shown on the cover at one screen pixel per image pixel.
#
# The cover's caption stands on the picture from y = 280 to 300 (picture pixels), x = 144 to
# 384, so the chart ends above y = 270 and everything below it is plain background.
#
# Usage: assets/draw_cover.sh [OUTPUT.jpg]   (ImageMagick's convert; default assets/cover.jpg)
set -euo pipefail
out=${1:-$(dirname "$0")/cover.jpg}

axis='#5a3a1a' line='#c0392b' point='#3071c4'
rack='#fce79e' rack_edge='#875c2f' cuvette='#a7d3f2' cuvette_edge='#7b5d38'

# Axes: the origin at (60, 262); four ticks up the y axis, five along the x axis.
axes="line 60,26 60,262 line 60,262 480,262"
for y in 70 118 166 214; do axes+=" line 52,$y 60,$y"; done
for x in 100 180 260 340 420; do axes+=" line $x,262 $x,269"; done

# The fitted line from (70, 252) to (470, 40), and the standards on it.
points=""
for x in 110 190 270 350 430; do
    y=$((252 - (x - 70) * 53 / 100))
    points+=" circle $x,$y $((x + 10)),$y"
done

cuvettes=""
for x in 360 390 420; do cuvettes+=" rectangle $x,190 $((x + 20)),234"; done

convert -size 513x324 gradient:'#fff4e6-#ffdab0' \
    -fill none -stroke "$axis" -strokewidth 3 -draw "$axes" \
    -stroke "$line" -strokewidth 4 -draw "line 70,252 470,40" \
    -stroke none -fill "$point" -draw "$points" \
    -stroke "$rack_edge" -strokewidth 2 -fill "$rack" -draw "roundrectangle 330,174 470,246 10,10" \
    -stroke "$cuvette_edge" -fill "$cuvette" -draw "$cuvettes" \
    -strip -interlace none -sampling-factor 2x2,1x1,1x1 -quality 90 "jpeg:$out"
