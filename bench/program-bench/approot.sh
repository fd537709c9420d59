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
    for _ in $(seq "$2"); do printf '0730\t1\r'; done >"$1"
}
