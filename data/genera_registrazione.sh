#!/usr/bin/env bash
# Makes one recording of the game from its recipe: the set on the first line, then the words.
#   genera_registrazione.sh ESPEAK_NG SOX RICETTA USCITA
# The two sets must be told apart at once, so the joking one speaks through another voice,
# higher and faster. The click is no speech: a short burst of noise, like a pen on paper.
set -euo pipefail

espeak=$1
sox=$2
ricetta=$3
uscita=$4

insieme=$(head -n 1 "$ricetta")
testo=$(tail -n +2 "$ricetta")

mkdir -p "$(dirname "$uscita")"
lavoro=$(mktemp -d)
# Written beside the recording under a name of its own, then renamed over it: a build stopped
# halfway, or two builds of one tree at once, never leave half a file where the game looks.
parziale=$(mktemp "$uscita.XXXXXX")
trap 'rm -rf "$lavoro" "$parziale"' EXIT

# Mono 16-bit PCM: the plainest WAV, which every player reads.
formato=(-r 22050 -b 16 -c 1 -t wav)
# sox -R seeds its noise and dither the same way every time, so every build makes the same bytes.

case "$insieme" in
normale | spiritoso)
    if [ "$insieme" = normale ]; then
        voce=(-v it -p 45 -s 155)
    else
        voce=(-v it+klatt3 -p 80 -s 185)
    fi
    printf '%s\n' "$testo" >"$lavoro/testo.txt"
    "$espeak" "${voce[@]}" -w "$lavoro/voce.wav" -f "$lavoro/testo.txt"
    # espeak-ng pads both ends with silence, which would delay every message after the click
    # that caused it; cut it down to a breath, and bring every recording to the same loudness.
    "$sox" -R "$lavoro/voce.wav" "${formato[@]}" "$parziale" \
        silence 1 0.01 0.1% reverse silence 1 0.01 0.1% reverse \
        gain -n -1 pad 0.03 0.08
    ;;
effetto)
    "$sox" -R -n "${formato[@]}" "$parziale" \
        synth 0.015 pinknoise highpass 1500 fade q 0 0.015 0.014 gain -n -3
    ;;
*)
    echo "genera_registrazione.sh: set \"$insieme\" unknown in $ricetta" >&2
    exit 1
    ;;
esac

mv -f "$parziale" "$uscita"
