#!/usr/bin/env bash
# Draws the pictures of the high-score, download and information windows into
# assets/pictures/ (dl_*, hs_*, info_*). Needs ImageMagick 6 and the DejaVu fonts.
# Deterministic: the same script gives the same pictures.
set -euo pipefail
cd "$(dirname "$0")/../pictures"
IM=/usr/bin/convert
[[ -x $IM ]] || IM=convert
BOLD=DejaVu-Sans-Bold
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

# starfield W H SEED OUT: dark blue sky with scattered stars of two sizes.
starfield() {
  local w=$1 h=$2 seed=$3 out=$4
  $IM -seed "$seed" -size "${w}x${h}" xc: +noise Random -channel G -separate +channel \
      -threshold 99.2% "$TMP/stars_small.png"
  $IM -seed "$((seed + 1))" -size "${w}x${h}" xc: +noise Random -channel R -separate +channel \
      -threshold 99.85% -morphology Dilate Disk:1 -blur 0x0.6 "$TMP/stars_big.png"
  $IM -size "${w}x${h}" gradient:'#0a0a2e'-'#02020c' \
      \( "$TMP/stars_small.png" -fill '#9090c0' -opaque white \) -compose screen -composite \
      \( "$TMP/stars_big.png" \) -compose screen -composite "$out"
}

# planet SIZE LIGHT DARK OUT: a shaded sphere on transparency, lit from the upper left.
planet() {
  local s=$1 light=$2 dark=$3 out=$4
  local g=$((s * 2))
  $IM -size "${g}x${g}" radial-gradient:"$light"-"$dark" \
      -crop "${s}x${s}+$((s * 2 / 3))+$((s * 2 / 3))" +repage "$TMP/shade.png"
  $IM -size "${s}x${s}" xc:none -fill white -draw "circle $((s / 2)),$((s / 2)) $((s / 2)),1" "$TMP/mask.png"
  $IM "$TMP/shade.png" "$TMP/mask.png" -alpha off -compose CopyOpacity -composite "$out"
}

# tile BACKGROUND OUT: a 48 x 48 black tile with a thin frame, ready to draw on.
tile_base() {
  $IM -size 48x48 xc:black -fill none -stroke '#303050' -draw 'rectangle 0,0 47,47' "$1"
}

# --- Backgrounds ------------------------------------------------------------
starfield 128 128 11 info_back.jpg.png
$IM info_back.jpg.png -quality 88 info_back.jpg && rm info_back.jpg.png

$IM -size 64x64 xc:'#dde4f4' \
    -fill '#c8d2ec' -draw 'rectangle 0,0 31,31' -draw 'rectangle 32,32 63,63' \
    -fill '#b0bde0' -draw 'circle 16,16 16,13' -draw 'circle 48,48 48,45' \
    -quality 90 dl_back.jpg

# --- Tile pictures for the help page ------------------------------------------
tile_base "$TMP/base.png"

# Space: a blasted cell, an empty patch of sky with a fading ring.
starfield 48 48 23 "$TMP/sky.png"
$IM "$TMP/sky.png" -fill none -stroke '#4a3a60' -strokewidth 2 -draw 'circle 24,24 24,8' \
    -stroke '#303050' -strokewidth 1 -draw 'rectangle 0,0 47,47' info_tile_space.png

# Humdrum: a plain grey rock of a planet.
planet 40 '#d0d0d0' '#3a3a3a' "$TMP/grey.png"
$IM "$TMP/base.png" "$TMP/grey.png" -geometry +4+4 -composite \
    -fill '#6a6a6a' -stroke none -draw 'circle 18,20 18,23' -draw 'circle 29,30 29,32' \
    info_tile_humdrum.png

# 2x and 3x: a gold planet carrying the multiplier.
planet 40 '#fff2a0' '#8a5a00' "$TMP/gold.png"
for n in 2 3; do
  $IM "$TMP/base.png" "$TMP/gold.png" -geometry +4+4 -composite \
      -font "$BOLD" -pointsize 19 -fill black -stroke none -gravity center -annotate +1+1 "${n}x" \
      -fill white -annotate +0+0 "${n}x" "info_tile_${n}x.png"
done

# Bomb: a dark sphere with a burning fuse.
planet 34 '#8080a0' '#101018' "$TMP/bomb.png"
$IM "$TMP/base.png" "$TMP/bomb.png" -geometry +6+10 -composite \
    -stroke '#c0a060' -strokewidth 3 -fill none -draw 'path "M 30,14 Q 34,6 40,8"' \
    -stroke none -fill '#ffcc00' -draw 'circle 40,8 40,4' -fill '#ff5020' -draw 'circle 40,8 40,6' \
    info_tile_bomb.png

# Transport: a blue portal with a spiral.
$IM "$TMP/base.png" -fill '#0a2a60' -stroke '#40a0ff' -strokewidth 2 -draw 'circle 24,24 24,6' \
    -fill none -stroke '#90d0ff' -strokewidth 2 \
    -draw 'path "M 24,24 C 24,18 32,18 32,24 C 32,32 18,32 18,24 C 18,12 38,12 38,24"' \
    info_tile_transport.png

# Multicolour: a planet banded in every planet colour.
$IM -size 40x40 xc:none \
    -fill '#e03030' -draw 'rectangle 0,0 39,7' -fill '#f08020' -draw 'rectangle 0,8 39,15' \
    -fill '#f0e030' -draw 'rectangle 0,16 39,23' -fill '#30c040' -draw 'rectangle 0,24 39,31' \
    -fill '#a040e0' -draw 'rectangle 0,32 39,39' "$TMP/bands.png"
$IM "$TMP/bands.png" \( "$TMP/grey.png" -alpha extract \) -alpha off -compose CopyOpacity -composite "$TMP/bandplanet.png"
$IM "$TMP/bandplanet.png" \( "$TMP/grey.png" -channel RGB -level 0%,140% +channel \) -compose overlay -composite "$TMP/multi.png"
$IM "$TMP/base.png" "$TMP/multi.png" -geometry +4+4 -composite info_tile_multi.png

# --- Logo of the about window ---------------------------------------------------
starfield 260 90 31 "$TMP/logo_sky.png"
planet 46 '#ffb0b0' '#801010' "$TMP/red.png"
planet 30 '#b0ffb0' '#106010' "$TMP/green.png"
planet 22 '#b0c8ff' '#102080' "$TMP/blue.png"
$IM "$TMP/logo_sky.png" "$TMP/red.png" -geometry +2+46 -composite \
    "$TMP/green.png" -geometry +222+8 -composite "$TMP/blue.png" -geometry +228+58 -composite \
    -font "$BOLD" -pointsize 32 -gravity center \
    -fill '#000000' -annotate +9+1 'GLOOP DASH' -fill '#ffd040' -stroke '#ff8000' -strokewidth 1 \
    -annotate +6-2 'GLOOP DASH' -quality 90 info_logo.jpg

# --- Picture of the lobby for the download window --------------------------------
starfield 220 165 41 "$TMP/lobby_sky.png"
$IM "$TMP/lobby_sky.png" \
    -fill '#1c1c48' -stroke '#6060c0' -draw 'roundrectangle 14,40 206,150 8,8' \
    -stroke none -fill '#303078' \
    -draw 'roundrectangle 26,56 98,92 5,5' -draw 'roundrectangle 122,56 194,92 5,5' \
    -draw 'roundrectangle 26,106 98,142 5,5' -draw 'roundrectangle 122,106 194,142 5,5' \
    -fill '#ff5050' -draw 'circle 40,74 40,69' -fill '#50e050' -draw 'circle 62,74 62,69' \
    -fill '#f0d040' -draw 'circle 84,74 84,69' -fill '#50a0ff' -draw 'circle 136,74 136,69' \
    -fill '#c060f0' -draw 'circle 158,124 158,119' -fill '#f09030' -draw 'circle 40,124 40,119' \
    -font "$BOLD" -pointsize 17 -fill '#ffd040' -gravity north -annotate +0+10 'THE MIRREK LOBBY' \
    -quality 90 dl_lobby.jpg

# PNG files otherwise carry the time they were written; keep reruns byte-identical.
for f in info_tile_*.png; do
  $IM "$f" -strip -define png:exclude-chunk=date,time,tIME "$f"
done

echo "side pictures written to $(pwd)"
