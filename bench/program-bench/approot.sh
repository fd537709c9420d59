# shellcheck shell=bash
# The app roots the program benchmark runs: a copy of the executable beside
# the sample lists and faces, with made-up photos and clips for the minutes
# 07:29 (start-up) and 07:30 (the measured change).

# bench_data <cache dir>: the photos and tones, made once per build dir.
bench_data() {
    BENCH_DATA=$1
    mkdir -p "$BENCH_DATA"
    local size seed=1 minute
    for size in 768x1024 3000x4000; do
        for minute in 0729 0730; do
            row_wanted 8 || [ "$size" = 768x1024 ] || continue
            [ -s "$BENCH_DATA/$size-$minute.jpg" ] ||
                convert -seed "$seed" -size "$size" plasma:fractal -quality 90 "$BENCH_DATA/$size-$minute.jpg"
            seed=$((seed + 1))
        done
    done
    # A clip at start-up, so the measured one is not the first of the run.
    [ -s "$BENCH_DATA/tone-0729.mp3" ] || audio_make_tone "$BENCH_DATA/tone-0729.mp3" 600 0.3
    [ -s "$BENCH_DATA/tone-0730.mp3" ] || audio_make_tone "$BENCH_DATA/tone-0730.mp3" 1000 1
}

# make_app_root <dir> <photo size> <ActTime.txt>
make_app_root() {
    local root=$1 size=$2 schedule=$3 data photo minute
    data="$root/velka-namro/Payload/Velka Namro 2 HD.app"
    mkdir -p "$root/bin" "$root/Resources" "$data/Photos" "$data/Sounds/Time" "$data/Sounds/Serif"
    cp "$APP" "$root/bin/"
    cp "$BUILD_DIR"/Resources/{ActMain,ActSerif,Alarm}.txt "$root/Resources/"
    cp "$schedule" "$root/Resources/ActTime.txt"
    ln -s "$DATA_FOLDER/Sounds/Alarm" "$data/Sounds/Alarm"
    for photo in "$DATA_FOLDER"/Photos/*.jpg; do
        [[ $(basename "$photo") =~ ^[0-9]{4}\.jpg$ ]] || ln -s "$photo" "$data/Photos/"
    done
    for minute in 0729 0730; do
        ln -s "$BENCH_DATA/$size-$minute.jpg" "$data/Photos/$minute.jpg"
        ln -s "$BENCH_DATA/tone-$minute.mp3" "$data/Sounds/Time/$minute.mp3"
    done
}

# A schedule of <count> lines for 07:30, all of actor 1.
make_crowded_schedule() {
    awk -v n="$2" 'BEGIN { for (i = 0; i < n; i++) printf "0730\t1\r" }' >"$1"
}

# set_clip <app root> <minute> <clip>: the minute's time announcement.
set_clip() {
    ln -sfn "$3" "$1/velka-namro/Payload/Velka Namro 2 HD.app/Sounds/Time/$2.mp3"
}

# make_long_clip <file> <seconds> [wav]: a steady 440 Hz tone, 44.1 kHz
# stereo, as MP3 or as 16-bit WAV (whatever the file's name).
make_long_clip() {
    if [ "${3:-mp3}" = wav ]; then
        sox -V1 -n -r 44100 -c 2 -b 16 -t wav "$1" synth "$2" sine 440 vol 0.2
    else
        sox -V1 -n -r 44100 -c 2 -b 16 -t wav - synth "$2" sine 440 vol 0.2 | lame --quiet -b 128 - "$1"
    fi
}

# repeat_to_size <block> <bytes> <file>: as many whole copies of the block as
# fit in <bytes> (at least one), made by doubling.
repeat_to_size() {
    local block=$1 file=$3 each copies have=1
    each=$(stat -c %s "$block")
    copies=$(($2 / each))
    [ "$copies" -ge 1 ] || copies=1
    cp "$block" "$file.part"
    while [ $((have * 2)) -le "$copies" ]; do
        cat "$file.part" "$file.part" >"$file.double"
        mv "$file.double" "$file.part"
        have=$((have * 2))
    done
    { cat "$file.part"; head -c $(((copies - have) * each)) "$file.part"; } >"$file"
    rm -f "$file.part" "$file.block"
}

# A schedule of about <bytes>: every minute of the day once per copy, actors
# 1 to 12 in turn, CR line ends (7.25 bytes a line).
make_big_schedule() {
    awk 'BEGIN { for (m = 0; m < 1440; m++) printf "%02d%02d\t%d\r", int(m / 60), m % 60, m % 12 + 1 }' >"$1.block"
    repeat_to_size "$1.block" "$2" "$1"
}

# make_big_list <sample list> <bytes> <file>: the sample's percent-encoded
# lines over and over, CR LF line ends.
make_big_list() {
    { cat "$1"; printf '\r\n'; } >"$3.block"
    repeat_to_size "$3.block" "$2" "$3"
}
