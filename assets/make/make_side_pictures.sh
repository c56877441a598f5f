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

# --- Backgrounds ------------------------------------------------------------
starfield 128 128 11 info_back.jpg.png
$IM info_back.jpg.png -quality 88 info_back.jpg && rm info_back.jpg.png

$IM -size 64x64 xc:'#dde4f4' \
    -fill '#c8d2ec' -draw 'rectangle 0,0 31,31' -draw 'rectangle 32,32 63,63' \
    -fill '#b0bde0' -draw 'circle 16,16 16,13' -draw 'circle 48,48 48,45' \
    -quality 90 dl_back.jpg

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

echo "side pictures written to $(pwd)"
