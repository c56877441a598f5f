#!/usr/bin/env bash
# Draws the game view's pictures into assets/pictures/ (board_*): the built-in
# tile strip, the board background, the score panel, the mascot and its speech
# bubble, the bonus popup, the countdown bar, the start button, the eyes and the
# turn arrow. Needs ImageMagick 6 and the DejaVu fonts.
# Deterministic: the same script gives the same pictures.
set -euo pipefail
cd "$(dirname "$0")/../pictures"
IM=/usr/bin/convert
[[ -x $IM ]] || IM=convert
BOLD=DejaVu-Sans-Bold
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
# 8 bits per channel: deeper pictures decode several times slower at start-up.
PNG=(-strip -depth 8 -define png:exclude-chunks=date,time)

# shade SIZE LIGHT DARK OUT: a sphere shading of SIZE x SIZE, lit from the upper left.
shade() {
  local s=$1 light=$2 dark=$3 out=$4
  local g=$((s * 2))
  $IM -size "${g}x${g}" radial-gradient:"$light"-"$dark" \
      -crop "${s}x${s}+$((s * 2 / 3))+$((s * 2 / 3))" +repage "$out"
}

# gloop LIGHT DARK OUT: one tile kind, a glossy blob with two eyes on black.
gloop() {
  local light=$1 dark=$2 out=$3
  shade 40 "$light" "$dark" "$TMP/shade.png"
  $IM -size 40x40 xc:black -fill white -draw 'ellipse 20,22 19,17 0,360' "$TMP/mask.png"
  $IM "$TMP/shade.png" "$TMP/mask.png" -alpha off -compose CopyOpacity -composite "$TMP/blob.png"
  $IM -size 48x48 xc:black "$TMP/blob.png" -geometry +4+4 -compose over -composite \
      -fill 'rgba(255,255,255,0.75)' -draw 'ellipse 16,15 6,3 -20,340' \
      -fill white -draw 'ellipse 18,27 4,5 0,360' -draw 'ellipse 30,27 4,5 0,360' \
      -fill '#101018' -draw 'circle 19,28 19,25.6' -draw 'circle 31,28 31,25.6' \
      -fill white -draw 'point 18,27' -draw 'point 30,27' \
      "${PNG[@]}" "$out"
}

# --- Tile strip: pieces 0..6, then bonus 0..4, 48 x 48 each on black --------
# 0: the blasted cell a trail leaves behind, a dim splat.
$IM -size 48x48 xc:black \
    -fill '#3a3048' -draw 'polygon 24,6 29,15 40,10 35,21 44,27 33,30 37,41 26,34 20,43 18,32 6,36 13,26 4,18 16,17 14,7' \
    -fill '#1e1826' -draw 'circle 24,24 24,15' \
    "${PNG[@]}" "$TMP/p0.png"
gloop '#fff6a8' '#c89a00' "$TMP/p1.png" # yellow
gloop '#b8ffb0' '#168a1e' "$TMP/p2.png" # green
gloop '#ffd2a0' '#d25a00' "$TMP/p3.png" # orange
gloop '#e6c0ff' '#6a1f9a' "$TMP/p4.png" # purple
gloop '#ffb0b8' '#b8101e' "$TMP/p5.png" # red
# 6: the wild tile, a blob in every colour with a star.
$IM -size 40x40 xc:black \
    -fill '#e8283c' -draw 'path "M 20,20 L 20,0 A 20,20 0 0,1 39,14 Z"' \
    -fill '#ff8c1a' -draw 'path "M 20,20 L 39,14 A 20,20 0 0,1 32,36 Z"' \
    -fill '#f5d000' -draw 'path "M 20,20 L 32,36 A 20,20 0 0,1 8,36 Z"' \
    -fill '#2ecc40' -draw 'path "M 20,20 L 8,36 A 20,20 0 0,1 1,14 Z"' \
    -fill '#9b4dca' -draw 'path "M 20,20 L 1,14 A 20,20 0 0,1 20,0 Z"' \
    "$TMP/wheel.png"
$IM -size 40x40 xc:black -fill white -draw 'circle 20,20 20,1' "$TMP/wmask.png"
$IM "$TMP/wheel.png" "$TMP/wmask.png" -alpha off -compose CopyOpacity -composite "$TMP/wild.png"
$IM -size 48x48 xc:black "$TMP/wild.png" -geometry +4+4 -compose over -composite \
    -fill white -stroke '#404040' -strokewidth 1 \
    -draw 'polygon 24,11 27,20 37,20 29,26 32,36 24,30 16,36 19,26 11,20 21,20' \
    -fill 'rgba(255,255,255,0.6)' -stroke none -draw 'ellipse 15,12 5,2.5 -25,335' \
    "${PNG[@]}" "$TMP/p6.png"
# Bonus 0: a blast (never drawn, kept so the strip has the tile-set layout).
$IM -size 48x48 xc:black -fill '#ffcc33' \
    -draw 'polygon 24,4 28,18 42,10 32,22 46,26 31,29 38,42 25,32 20,46 18,31 5,38 15,26 2,20 17,18 10,6 22,15' \
    -fill '#ff5522' -draw 'circle 24,25 24,17' "${PNG[@]}" "$TMP/b0.png"
# Bonus 1: transport, a glowing portal in the lower right corner.
$IM -size 48x48 xc:black -fill none \
    -stroke '#20f0ff' -strokewidth 3 -draw 'ellipse 35,35 10,10 0,360' \
    -stroke '#c070ff' -strokewidth 2 -draw 'ellipse 35,35 5.5,5.5 0,360' \
    -stroke none -fill '#e8ffff' -draw 'circle 35,35 35,33' \
    "${PNG[@]}" "$TMP/b1.png"
# Bonus 2: bomb, a round fused bomb in the lower right corner (dark grey, as black is see-through).
$IM -size 48x48 xc:black -fill '#3a3a44' -stroke '#8a8aa0' -strokewidth 1 -draw 'circle 35,36 35,26' \
    -fill '#9a9ab0' -stroke none -draw 'ellipse 32,32 3,2 0,360' \
    -fill '#7a5a30' -draw 'rectangle 34,22 37,27' \
    -fill '#ffdd22' -draw 'polygon 36,13 38,19 44,18 39,22 41,27 36,23 31,26 33,21 28,18 34,19' \
    "${PNG[@]}" "$TMP/b2.png"
# Bonus 3 and 4: "2x" and "3x" multipliers.
for n in 2 3; do
  $IM -size 48x48 xc:black -font "$BOLD" -pointsize 17 -gravity southeast \
      -stroke '#402000' -strokewidth 4 -fill '#402000' -annotate +2+1 "${n}x" \
      -stroke none -fill "$([[ $n == 2 ]] && echo '#7dff7d' || echo '#ffe14a')" -annotate +2+1 "${n}x" \
      "${PNG[@]}" "$TMP/b$((n + 1)).png"
done
$IM "$TMP"/p{0..6}.png "$TMP"/b{0..4}.png +append "${PNG[@]}" board_tiles.png

# --- Board background 312 x 312: a dark pond with one well per cell ----------
$IM -size 312x312 gradient:'#14224a'-'#070b1e' "$TMP/pond.png"
draw=()
for x in 0 1 2 3 4 5; do
  for y in 0 1 2 3 4 5; do
    l=$((x * 52 + 2)) t=$((y * 52 + 2))
    draw+=(-draw "roundrectangle $l,$t $((l + 47)),$((t + 47)) 9,9")
  done
done
$IM "$TMP/pond.png" -fill '#1c2d5c' -stroke '#2c447e' -strokewidth 1 "${draw[@]}" "${PNG[@]}" board_background.png

# --- Score panel 238 x 335 ------------------------------------------------------
$IM -size 238x335 gradient:'#1a1040'-'#05030f' -fill none -stroke '#4b3a8c' -strokewidth 2 \
    -draw 'roundrectangle 1,1 236,333 10,10' \
    -fill '#0d0826' -stroke '#2d2360' -strokewidth 1 -draw 'roundrectangle 8,174 229,310 6,6' \
    "${PNG[@]}" board_scorepanel.png

# --- Mascot 136 x 163: Pibbie, a green gloop with big eyes ----------------------
shade 120 '#c8ffb8' '#1f7a28' "$TMP/mshade.png"
$IM -size 120x120 xc:black -fill white \
    -draw 'path "M 8,112 C 0,60 20,6 60,6 C 100,6 120,60 112,112 C 95,104 80,118 60,110 C 40,118 25,104 8,112 Z"' \
    "$TMP/mmask.png"
$IM "$TMP/mshade.png" "$TMP/mmask.png" -alpha off -compose CopyOpacity -composite "$TMP/mbody.png"
$IM -size 136x163 xc:none "$TMP/mbody.png" -geometry +8+30 -compose over -composite \
    -fill 'rgba(255,255,255,0.7)' -draw 'ellipse 48,52 14,7 -25,335' \
    -fill white -stroke '#0d3010' -strokewidth 2 -draw 'ellipse 52,86 14,17 0,360' -draw 'ellipse 86,86 14,17 0,360' \
    -stroke none -fill '#101820' -draw 'circle 56,90 56,81' -draw 'circle 90,90 90,81' \
    -fill white -draw 'circle 53,86 53,83' -draw 'circle 87,86 87,83' \
    -stroke '#0d3010' -strokewidth 3 -fill none -draw 'arc 56,104 84,124 20,160' \
    -fill '#ff9aa8' -stroke none -draw 'ellipse 38,110 7,4 0,360' -draw 'ellipse 100,110 7,4 0,360' \
    "${PNG[@]}" board_mascot.png

# --- Speech bubble 135 x 146, its tail pointing down at the mascot --------------
$IM -size 135x146 xc:none -fill white -stroke '#303050' -strokewidth 2 \
    -draw 'roundrectangle 3,18 131,108 22,22' \
    -draw 'polygon 40,104 62,104 34,142' \
    -stroke none -draw 'rectangle 42,100 60,106' "${PNG[@]}" board_bubble.png

# --- Bonus popup 106 x 48 ---------------------------------------------------------
$IM -size 106x48 xc:none -fill '#ffd23a' -stroke '#8a5a00' -strokewidth 2 \
    -draw 'polygon 2,24 12,4 94,4 104,24 94,44 12,44' \
    -fill '#ffe98a' -stroke none -draw 'polygon 14,8 92,8 98,18 8,18' "${PNG[@]}" board_popup.png

# --- Countdown bar 198 x 17 ----------------------------------------------------------
$IM -size 17x198 gradient:'#b8ff6a'-'#1f9a2a' -rotate 90 -fill 'rgba(255,255,255,0.35)' \
    -draw 'rectangle 0,2 197,5' "${PNG[@]}" board_timer.png

# --- Eyes 12 x 9 (a watching player) and the turn arrow 9 x 13 --------------------------
$IM -size 12x9 xc:none -fill white -draw 'ellipse 3,4 2.6,4 0,360' -draw 'ellipse 9,4 2.6,4 0,360' \
    -fill black -draw 'rectangle 3,4 4,6' -draw 'rectangle 9,4 10,6' "${PNG[@]}" board_eyes.png
$IM -size 9x13 xc:none -fill '#ffe14a' -stroke '#8a6a00' -strokewidth 1 -draw 'polygon 1,1 8,6 1,11' \
    "${PNG[@]}" board_turn.png
