#!/bin/bash
# Clips in the common formats through the program's sound output on a
# recorded PulseAudio null sink, driven by tools/play-sounds: a WAV, a FLAC,
# an AIFF and an Ogg clip, and a clip long enough to be read from its file as
# it plays, are each heard whole; a file no decoder reads plays nothing, is
# said once, and never sounds as noise.
set -u

build_dir=$1
source_dir=$2
source "$source_dir/tests/endtoend/lib/audio.sh"

play_sounds=$build_dir/tools/play-sounds
for tool in pulseaudio pactl pacat parec sox "$play_sounds"; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'audio_stop; rm -rf "$work"' EXIT
audio_start "$work" || exit 1

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# One tone per clip, two bins apart; rate and channels vary with the format.
names=(short.wav tone.flac tone.aiff tone.ogg long.flac)
freqs=(500 700 900 1100 1300)
lengths=(0.8 2.0 1.5 1.2 9.0)
rates=(22050 44100 22050 22050 44100)
channels=(1 2 1 1 2)
clips=()
for i in "${!names[@]}"; do
    clips+=("$work/${names[i]}")
    sox -V1 -n -r "${rates[i]}" -c "${channels[i]}" "${clips[i]}" synth "${lengths[i]}" sine "${freqs[i]}" vol 0.1 ||
        exit 1
done
# Text under a sound's name, twice: said once, heard never.
printf 'not a sound at all\n%.0s' $(seq 200) >"$work/text.wav"

audio_record_start "$work/run.raw"
sleep 0.2
"$play_sounds" --delay-ms 300 --timeout-ms 20000 "${clips[@]}" "$work/text.wav" "$work/text.wav" \
    2>"$work/run.log"
status=$?
sleep 0.2
audio_record_stop
[ $status -eq 0 ] || fail "play-sounds ended with status $status: $(cat "$work/run.log")"

said=$(grep -c "no decoder reads $work/text.wav" "$work/run.log")
[ "$said" -eq 1 ] || fail "the text file was said $said times: $(cat "$work/run.log")"

i=0
while read -r hz onset active gap _; do
    echo "${names[i]}: ${hz} Hz from ${onset} s for ${active} s of ${lengths[i]} s, longest gap ${gap} s"
    [ "$onset" != -1 ] || fail "${names[i]} was not heard"
    awk -v a="$active" -v l="${lengths[i]}" 'BEGIN { exit !(a >= l - 0.05 && a <= l + 0.05) }' ||
        fail "${names[i]} was heard for $active s of ${lengths[i]} s"
    awk -v g="$gap" 'BEGIN { exit !(g <= 0.01) }' || fail "${names[i]} broke off for $gap s"
    i=$((i + 1))
done < <(audio_tone_spans "$work/run.raw" "${freqs[@]}")
[ $i -eq ${#names[@]} ] || fail "a clip was heard in pieces"

# Nothing but the tones: the loudness outside them is the silence's.
noise=$(sox -t raw -r $AUDIO_RATE -e signed -b 16 -c 1 "$work/run.raw" -n trim 9.6 stat 2>&1 |
    awk '/Maximum amplitude/ { print $3 }')
echo "loudest after the clips: $noise"
awk -v n="${noise:-1}" 'BEGIN { exit !(n < 0.01) }' || fail "noise after the clips: $noise"

[ $failures -eq 0 ]
