#!/usr/bin/env bash
# Makes the chime's recordings in resources/sounds/Sound: the spoken words with espeak-ng's Mandarin
# voice and the two bells with sox. Every file is 16-bit PCM WAV, mono, 22050 Hz, trimmed of silence
# so that a spoken time goes quickly, and brought to one loudness (RMS) with headroom kept below
# full scale. The files are committed; run this again after changing a word or a bell:
#   bash resources/sounds/make-sounds.sh [output folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/Sound}
for tool in espeak-ng sox; do
    command -v "$tool" >/dev/null || { echo "make-sounds: $tool is missing (scripts/deps.sh installs it)" >&2; exit 1; }
done

rate=22050
target_rms_db=-20  # every file's loudness
ceiling_db=-1      # no peak above this
speed=140          # words per minute of the voice
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# Brings a file to the target loudness (or as close as the peak ceiling allows) as 16-bit mono.
level() {
    local in=$1 dest=$2 rms peak gain
    rms=$(sox "$in" -n stats 2>&1 | awk '/^RMS lev dB/ {print $4}')
    peak=$(sox "$in" -n stats 2>&1 | awk '/^Pk lev dB/ {print $4}')
    gain=$(awk -v t="$target_rms_db" -v r="$rms" -v p="$peak" -v c="$ceiling_db" \
        'BEGIN { g = t - r; if (p + g > c) g = c - p; printf "%.2f", g }')
    sox -R "$in" -r "$rate" -c 1 -b 16 -e signed-integer "$dest" gain "$gain"
}

# The words. The Mandarin voice reads tone-numbered pinyin ("cmn-latn-pinyin"): Debian's Mandarin
# dictionary lacks many of these characters and would spell them out letter by letter.
# name     pinyin               what it says
words=(
    "T1      xian4 zai4 shi2 ke4  现在时刻"
    "To1     ling2 chen2          凌晨 (hours 0-5)"
    "To2     shang4 wu3           上午 (hours 6-11)"
    "To3     xia4 wu3             下午 (hours 12-17)"
    "To4     wan3 shang4          晚上 (hours 18-23)"
    "0       ling2                零"
    "1       yi1                  一"
    "2       liang3               两 (the hour: 两点)"
    "3       san1                 三"
    "4       si4                  四"
    "5       wu3                  五"
    "6       liu4                 六"
    "7       qi1                  七"
    "8       ba1                  八"
    "9       jiu3                 九"
    "10      shi2                 十 (also the tens of the minutes)"
    "11      shi2 yi1             十一"
    "12      shi2 er4             十二"
    "2A      er4                  二 (a two inside the minutes)"
    "30      san1 shi2            三十"
    "H       dian3                点"
    "M       fen1                 分"
)
for line in "${words[@]}"; do
    name=$(awk '{print $1}' <<<"$line")
    pinyin=$(sed -E 's/^[^ ]+ +//; s/ {2,}.*$//' <<<"$line")
    # espeak-ng complains on stderr about the missing sound card even when writing a file.
    espeak-ng -v cmn-latn-pinyin -s "$speed" -w "$work/$name.raw.wav" "$pinyin" 2>"$work/espeak.log" ||
        { cat "$work/espeak.log" >&2; exit 1; }
    # Trim silence at both ends, keeping a few milliseconds so a word starts and ends softly.
    sox "$work/$name.raw.wav" "$work/$name.trim.wav" \
        silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse pad 0.01 0.04
    level "$work/$name.trim.wav" "$out/$name.wav"
done

# A bell: partials of a church bell's spectrum over the fundamental (hum, prime, tierce, quint,
# nominal, upper partials), each dying away on its own, the high ones first.
#   bell <file> <fundamental Hz> <seconds>
bell() {
    local dest=$1 f=$2 len=$3 parts=() i=0 ratio amp decay
    for partial in "0.5 0.45 1.0" "1.0 0.55 0.85" "1.19 0.40 0.6" "1.5 0.22 0.5" "2.0 0.65 0.55" \
                "2.51 0.25 0.35" "3.0 0.18 0.25" "4.07 0.12 0.15" "5.2 0.08 0.08"; do
        read -r ratio amp decay <<<"$partial"
        local pf pl
        pf=$(awk -v f="$f" -v r="$ratio" 'BEGIN { printf "%.2f", f * r }')
        pl=$(awk -v l="$len" -v d="$decay" 'BEGIN { printf "%.3f", l * d }')
        sox -R -n -r "$rate" -c 1 "$work/part$i.wav" synth "$pl" sine "$pf" fade p 0.003 "$pl" "$pl" vol "$amp" pad 0 "$(awk -v l="$len" -v p="$pl" 'BEGIN { printf "%.3f", l - p }')"
        parts+=("$work/part$i.wav")
        i=$((i + 1))
    done
    sox -R -m "${parts[@]}" "$work/bell.wav"
    # A slow beat of the two halves of the prime gives the bell its shimmer.
    sox -R "$work/bell.wav" "$work/bell.beat.wav" tremolo 2.5 18 reverse silence 1 0.01 0.1% reverse
    level "$work/bell.beat.wav" "$dest"
}
bell "$out/Z2.wav" 220 3.0   # the hour bell of the single bell: low and long
bell "$out/Z1.wav" 392 1.1   # the half-hour bell, also struck once per hour

echo "make-sounds: $(ls "$out" | wc -l) files in $out"
