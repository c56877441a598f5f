#!/usr/bin/env bash
# Makes the game's 29 sound recordings in assets/sounds/ from sox (game
# sounds), espeak-ng (the spoken chatter sounds) and lame (the five chatter
# sounds kept as MPEG Layer-3 inside a WAVE container).
#
# Formats: 8-bit mono PCM for most; 16-bit mono PCM at 22050 Hz for CHAIN,
# GAMEOVER, GAMESTART and TURN; MPEG Layer-3 for WAVE6, WAVE15, WAVE16, WAVE17
# and WAVE20. The output is deterministic for a given tool version.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../sounds"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
RANDOM=7772   # fixed seed: the applause and cheer crowds come out the same each run
export SOX_OPTS="-R"  # sox seeds its noise and dither the same each run

# ---------- helpers ----------
# note FILE SECONDS TYPE HZ [effects...]: one synthesized note at 22050 Hz, 16 bit.
note() {
  local file=$1 dur=$2 type=$3 hz=$4; shift 4
  sox -n -r 22050 -c 1 -b 16 "$file" synth "$dur" "$type" "$hz" gain -6 "$@"
}
# melody OUT note-file...: plays the notes one after another.
melody() { local o=$1; shift; sox "$@" "$o"; }
# mix OUT in...: plays the inputs together, keeping the level sane.
mix() { local o=$1; shift; sox -m "$@" "$o" norm -3; }
# pcm8 IN OUT RATE: the stored 8-bit mono form.
pcm8() { sox "$1" -c 1 -b 8 -e unsigned-integer "$2" norm -3 rate "$3" dither; }
# pcm16 IN OUT: the stored 16-bit mono 22050 Hz form.
pcm16() { sox "$1" -c 1 -b 16 -e signed-integer "$2" norm -3 rate 22050; }
# mp3wave IN OUT RATE: MPEG Layer-3 at RATE in a WAVE container.
mp3wave() {
  local tmp="$work/$(basename "$2").tmp"
  sox "$1" -c 1 -b 16 "$tmp.wav" norm -3 rate "$3"
  # Variable bit rate: lame then heads the stream with the tag that tells a
  # decoder the encoder delay and padding, so the length decodes exactly.
  lame --quiet --noreplaygain -m m -V 6 "$tmp.wav" "$tmp.mp3"
  python3 "$here/mp3_wave.py" "$tmp.mp3" "$(soxi -s "$tmp.wav")" "$2"
}
# say OUT VOICE PITCH SPEED TEXT [sox effects...]: espeak-ng speaking TEXT.
say() {
  local o=$1 voice=$2 pitch=$3 speed=$4 text=$5; shift 5
  espeak-ng -v "$voice" -p "$pitch" -s "$speed" -w "$work/say.wav" "$text"
  sox "$work/say.wav" "$o" gain -6 "$@" rate 22050
}

# ---------- game sounds ----------
w=$work
# A bloop: a short rising sine with a fast decay, like a drop of goo popping.
note $w/r1.wav 0.16 sine 330-880 fade q 0.005 0.16 0.12 gain -3
note $w/r2.wav 0.16 triangle 660-1760 fade q 0.005 0.16 0.12 gain -14
mix $w/remove.wav $w/r1.wav $w/r2.wav
pcm8 $w/remove.wav "$out/REMOVE.wav" 11025

# The transport: a quick sparkling run up the scale with a swoosh under it.
i=0; for hz in 523 659 784 1047 1319 1568; do
  note $w/c$i.wav 0.07 pluck $hz fade q 0.002 0.07 0.04; i=$((i+1)); done
melody $w/run.wav $w/c0.wav $w/c1.wav $w/c2.wav $w/c3.wav $w/c4.wav $w/c5.wav
note $w/tail.wav 0.35 pluck 2093 fade q 0.002 0.35 0.3
melody $w/run2.wav $w/run.wav $w/tail.wav
sox -n -r 22050 -c 1 -b 16 $w/swoosh.wav synth 0.77 pinknoise sinc 800-3000 fade h 0.2 0.77 0.4 gain -16
mix $w/chain.wav $w/run2.wav $w/swoosh.wav
pcm16 $w/chain.wav "$out/CHAIN.wav"

# The bomb: a low thump sweeping down under a burst of rumbling noise.
note $w/thump.wav 0.9 sine 110-35 fade q 0.002 0.9 0.8
sox -n -r 22050 -c 1 -b 16 $w/blast.wav synth 0.9 brownnoise lowpass 900 fade q 0.005 0.9 0.85 gain -2
sox -n -r 22050 -c 1 -b 16 $w/crack.wav synth 0.08 whitenoise fade q 0.001 0.08 0.07 gain -6
mix $w/bomb.wav $w/thump.wav $w/blast.wav $w/crack.wav
pcm8 $w/bomb.wav "$out/BOMB.wav" 11025

# No move left: a sad "wah wah wah" of a muted horn sliding down.
i=0; for hz in 392 370 349; do
  note $w/n$i.wav 0.22 sawtooth $hz lowpass 1200 tremolo 6 40 fade q 0.02 0.22 0.05; i=$((i+1)); done
note $w/n3.wav 0.6 sawtooth 330-300 lowpass 1000 tremolo 5 50 fade q 0.02 0.6 0.3
melody $w/nomove.wav $w/n0.wav $w/n1.wav $w/n2.wav $w/n3.wav
pcm8 $w/nomove.wav "$out/NOMOVE.wav" 11025

# Board cleared: a bright little fanfare.
i=0; for tone in "0.1 523" "0.1 659" "0.1 784" "0.45 1047"; do
  set -- $tone
  note $w/f$i.wav "$1" square "$2" lowpass 3000 fade q 0.005 "$1" 0.05 gain -8; i=$((i+1)); done
melody $w/fan.wav $w/f0.wav $w/f1.wav $w/f2.wav $w/f3.wav
note $w/fb.wav 0.75 pluck 262 fade q 0.005 0.75 0.4
mix $w/cleared.wav $w/fan.wav $w/fb.wav
pcm8 $w/cleared.wav "$out/CLEARED.wav" 22050

# Out of time: a clock ticking fast, then an alarm bell.
note $w/tick.wav 0.03 square 1800 fade q 0.001 0.03 0.02 gain -6
sox $w/tick.wav $w/tickgap.wav pad 0 0.09
sox $w/tickgap.wav $w/tickgap.wav $w/tickgap.wav $w/tickgap.wav $w/ticks.wav
note $w/bell.wav 0.7 square 880 tremolo 18 90 lowpass 2500 fade q 0.005 0.7 0.3 gain -8
melody $w/outtime.wav $w/ticks.wav $w/bell.wav
pcm8 $w/outtime.wav "$out/OUTTIME.wav" 8000

# Your turn: a soft two-note chime.
note $w/t1.wav 0.6 pluck 1319 fade q 0.002 0.6 0.5
note $w/t2.wav 0.9 pluck 1047 fade q 0.002 0.9 0.7
sox $w/t2.wav $w/t2d.wav pad 0.18 0
mix $w/turn.wav $w/t1.wav $w/t2d.wav
pcm16 $w/turn.wav "$out/TURN.wav"

# Game start: a rising "ready, set, go" jingle ending on a chord.
i=0; for tone in "0.12 392" "0.12 523" "0.12 659" "0.12 784"; do
  set -- $tone
  note $w/g$i.wav "$1" pluck "$2" fade q 0.002 "$1" 0.03; i=$((i+1)); done
melody $w/gup.wav $w/g0.wav $w/g1.wav $w/g2.wav $w/g3.wav
note $w/gc1.wav 0.7 pluck 523 fade q 0.002 0.7 0.5
note $w/gc2.wav 0.7 pluck 659 fade q 0.002 0.7 0.5
note $w/gc3.wav 0.7 pluck 1047 fade q 0.002 0.7 0.5
mix $w/gchord.wav $w/gc1.wav $w/gc2.wav $w/gc3.wav
melody $w/gamestart.wav $w/gup.wav $w/gchord.wav
pcm16 $w/gamestart.wav "$out/GAMESTART.wav"

# Game over: a fanfare that settles on a low chord.
i=0; for tone in "0.15 784" "0.15 659" "0.15 523" "0.15 659" "0.3 784"; do
  set -- $tone
  note $w/o$i.wav "$1" square "$2" lowpass 2500 fade q 0.005 "$1" 0.05 gain -8; i=$((i+1)); done
melody $w/oline.wav $w/o0.wav $w/o1.wav $w/o2.wav $w/o3.wav $w/o4.wav
note $w/oc1.wav 1.0 pluck 262 fade q 0.002 1.0 0.8
note $w/oc2.wav 1.0 pluck 392 fade q 0.002 1.0 0.8
note $w/oc3.wav 1.0 pluck 523 fade q 0.002 1.0 0.8
mix $w/ochord.wav $w/oc1.wav $w/oc2.wav $w/oc3.wav
melody $w/gameover.wav $w/oline.wav $w/ochord.wav
pcm16 $w/gameover.wav "$out/GAMEOVER.wav"

# ---------- chatter sounds ----------
# One clap: a short burst of filtered noise.
sox -n -r 22050 -c 1 -b 16 $w/clap.wav synth 0.04 whitenoise sinc 900-4000 fade q 0.001 0.04 0.035
# crowd OUT COUNT SPAN: COUNT claps scattered over SPAN seconds.
crowd() {
  local o=$1 n=$2 span=$3 list=() k
  for ((k = 0; k < n; k++)); do
    # $RANDOM is read here, not inside $( ): bash reseeds it in subshells.
    local r=$RANDOM g=$((RANDOM % 9))
    sox $w/clap.wav $w/clap$k.wav pad "$(awk -v r=$r -v s="$span" 'BEGIN{printf "%.3f", r / 32768 * s}')" 0 gain "-$g"
    list+=($w/clap$k.wav)
  done
  sox -m "${list[@]}" "$o" norm -3
}

say $w/v1.wav en-us 35 150 "D'oh!"
pcm8 $w/v1.wav "$out/WAVE1.wav" 11025
say $w/v2.wav en 30 160 "Ahem! Hem, hem."  lowpass 2500
pcm8 $w/v2.wav "$out/WAVE2.wav" 11025
say $w/v3.wav en-us+f3 60 160 "Hello!"
pcm8 $w/v3.wav "$out/WAVE3.wav" 11025
say $w/v4.wav en-us 50 160 "Thank you!"
pcm8 $w/v4.wav "$out/WAVE4.wav" 11025
say $w/v5.wav en-us+m3 45 150 "Where have you been?"
pcm8 $w/v5.wav "$out/WAVE5.wav" 11025
say $w/v6.wav en-us+m3 5 110 "Zzzzz. Hnnnk. Zzzzz." lowpass 1500 trim 0 3.2 fade t 0 3.2 0.5
mp3wave $w/v6.wav "$out/WAVE6.wav" 22050
say $w/v7.wav en-us+f2 70 170 "Ah, ah, ahh, choo!"
pcm8 $w/v7.wav "$out/WAVE7.wav" 11025
say $w/v8.wav en-us 40 140 "Sorry!"
pcm8 $w/v8.wav "$out/WAVE8.wav" 11025
say $w/v9.wav en-us+f3 55 150 "Welcome!"
pcm8 $w/v9.wav "$out/WAVE9.wav" 11025
say $w/v10.wav en-us+m3 75 150 "Yee haaaa!"
pcm8 $w/v10.wav "$out/WAVE10.wav" 11025
say $w/v11.wav en-us+f4 90 170 "Yippeeee!"
pcm8 $w/v11.wav "$out/WAVE11.wav" 11025
say $w/v12.wav en-us 25 130 "Oh no!"
pcm8 $w/v12.wav "$out/WAVE12.wav" 11025
crowd $w/claps.wav 60 1.6
say $w/v13.wav en-us 50 150 "Bravo!"
sox $w/v13.wav $w/v13d.wav pad 0.3 0 gain -4
mix $w/applause.wav $w/claps.wav $w/v13d.wav
sox $w/applause.wav $w/applause2.wav fade q 0.05 -0 0.5
pcm8 $w/applause2.wav "$out/WAVE13.wav" 11025
# A horn: two square waves a third apart, honked twice.
note $w/ha.wav 0.28 square 370 lowpass 1800 fade q 0.01 0.28 0.05
note $w/hb.wav 0.28 square 466 lowpass 1800 fade q 0.01 0.28 0.05
mix $w/h1.wav $w/ha.wav $w/hb.wav
sox $w/h1.wav $w/h1p.wav pad 0 0.08
melody $w/honk.wav $w/h1p.wav $w/h1.wav
pcm8 $w/honk.wav "$out/WAVE14.wav" 11025
say $w/v15.wav en-us+f2 60 80 "Ooooooh!"
mp3wave $w/v15.wav "$out/WAVE15.wav" 22050
note $w/rz.wav 0.8 sawtooth 85 tremolo 28 80 lowpass 1400 fade q 0.05 0.8 0.2 gain -6
say $w/v16.wav en-us 50 180 "Pfff!"
melody $w/razz.wav $w/v16.wav $w/rz.wav
mp3wave $w/razz.wav "$out/WAVE16.wav" 22050
say $w/ch1.wav en-us 50 150 "Hooray!"
say $w/ch2.wav en-us+f3 80 160 "Hooray!" pad 0.05 0
say $w/ch3.wav en-us+m3 20 140 "Hooray!" pad 0.1 0
crowd $w/chclaps.wav 40 1.2
mix $w/cheer.wav $w/ch1.wav $w/ch2.wav $w/ch3.wav $w/chclaps.wav
mp3wave $w/cheer.wav "$out/WAVE17.wav" 22050
say $w/v18.wav en-us+f4 95 180 "Ha ha ha ha ha ha!"
pcm8 $w/v18.wav "$out/WAVE18.wav" 11025
say $w/v19.wav en-us+m3 15 160 "Ho ho ho, ha ha ha!"
pcm8 $w/v19.wav "$out/WAVE19.wav" 11025
say $w/v20.wav en-us+f2 75 110 "Boo hoo hoo. Waaaah!" tremolo 7 30
mp3wave $w/v20.wav "$out/WAVE20.wav" 22050

du -ch "$out"/*.wav | tail -1
