#!/bin/bash
# Draws the title screen picture (580 x 440, at most 235 colours) for
# ＺＥＲＶＡ－Ｑ７Ｒ: a night sky with stars and a ringed planet over a city
# skyline. The window shows the central 464 x 360 pixels (columns 58..521,
# rows 40..399), so the title sits well inside them, and the band behind the
# buttons (rows 360..400) is plain ground.
#
# Usage: tools/draw_title.sh [OUT.png]   (default: resources/title.png)
# Needs ImageMagick and fonts-ipafont-gothic. The stars and buildings come
# from a fixed-seed generator, so every run draws the same picture.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../resources/title.png}
font=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
title='ＺＥＲＶＡ－Ｑ７Ｒ'
subtitle='― 体 験 版 ―'

readonly width=580 height=440 horizon=346
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Park-Miller generator: exact in awk's doubles, the same on every machine.
random_awk='function next_random(n) { seed = (seed * 16807) % 2147483647; return seed % n }'

# Stars above the skyline: mostly faint points, a few brighter crosses.
star_commands() {
  awk -v seed=20240607 -v w="$width" -v h=300 "$random_awk"'
    BEGIN {
      for (i = 0; i < 190; i++) {
        x = next_random(w); y = next_random(h); kind = next_random(10)
        if (kind < 6)      printf "fill #8088b0 point %d,%d ", x, y
        else if (kind < 9) printf "fill #d0d4f0 point %d,%d ", x, y
        else printf "fill #6870a0 rectangle %d,%d %d,%d fill #ffffff point %d,%d ", x - 1, y, x + 1, y, x, y
      }
    }'
}

# Far hills: a gentle random walk along the horizon.
hill_commands() {
  awk -v seed=77 -v w="$width" -v base="$horizon" "$random_awk"'
    BEGIN {
      y = base - 30; printf "fill #2b2150 polygon 0,%d ", base
      for (x = 0; x <= w; x += 20) {
        y += next_random(15) - 7; if (y < base - 48) y = base - 48; if (y > base - 16) y = base - 16
        printf "%d,%d ", x, y
      }
      printf "%d,%d", w, base
    }'
}

# City blocks with a few lit windows; nothing below the horizon but ground.
city_commands() {
  awk -v seed=4242 -v w="$width" -v base="$horizon" "$random_awk"'
    BEGIN {
      x = 0
      while (x < w) {
        bw = 14 + next_random(26); top = base - 12 - next_random(44)
        printf "fill #0d0b1c rectangle %d,%d %d,%d ", x, top, x + bw - 1, base
        for (wy = top + 4; wy < base - 6; wy += 6)
          for (wx = x + 3; wx < x + bw - 4; wx += 5)
            if (next_random(100) < 14) printf "fill #e8c070 rectangle %d,%d %d,%d ", wx, wy, wx + 1, wy + 2
        x += bw + next_random(3)
      }
    }'
}

# Sky: deep blue at the top, violet lower down, a warm glow at the horizon.
convert -size ${width}x180 gradient:'#03041a-#131548' \
        -size ${width}x120 gradient:'#131548-#3a2468' \
        -size ${width}x$((horizon - 300)) gradient:'#3a2468-#8a4470' \
        -size ${width}x$((height - horizon)) gradient:'#100c20-#06050c' \
        -append "$work/sky.png"

# The ringed planet: the ring's far half behind it, the near half in front.
planet="translate 440,96 rotate -16"
convert "$work/sky.png" \
  -draw "$(star_commands)" \
  -fill none -stroke '#a07850' -strokewidth 5 -draw "$planet ellipse 0,0 64,13 180,360" \
  -stroke none -fill '#c9905a' -draw "$planet circle 0,0 34,0" \
  -fill '#e2b27a' -draw "$planet ellipse -2,-12 30,5 0,360" \
  -fill '#b07448' -draw "$planet ellipse 0,10 33,4 0,360" \
  -fill '#4a2a40' -draw "$planet path 'M 0,-34 A 34,34 0 0,1 0,34 A 22,34 0 0,0 0,-34 Z' " \
  -fill none -stroke '#d8b888' -strokewidth 5 -draw "$planet ellipse 0,0 64,13 0,180" \
  -stroke none \
  -draw "$(hill_commands)" \
  -draw "$(city_commands)" \
  "$work/scene.png"

# The title: a soft violet glow, a dark outline and a pale face.
convert -size ${width}x${height} xc:none -font "$font" -pointsize 40 -kerning 2 \
  -gravity north -fill '#9a70ff' -stroke '#9a70ff' -strokewidth 6 -annotate +0+150 "$title" \
  -blur 0x4 "$work/glow.png"
convert -size ${width}x${height} xc:none -font "$font" -gravity north \
  -pointsize 40 -kerning 2 -fill '#1a0c36' -stroke '#1a0c36' -strokewidth 4 -annotate +0+150 "$title" \
  -stroke none -fill '#f4eeff' -annotate +0+150 "$title" \
  -pointsize 16 -fill '#c8b8f0' -annotate +0+206 "$subtitle" \
  "$work/text.png"

convert "$work/scene.png" "$work/glow.png" -composite "$work/text.png" -composite \
  -alpha off +dither -colors 200 -strip -define png:exclude-chunk=date,time \
  PNG24:"$out"
