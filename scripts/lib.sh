# shellcheck shell=bash
# Shared by scripts/run and scripts/test: installs what is missing, builds
# into ./build and makes the sample data there.

REPO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=$REPO_ROOT/build
# Parallel build and test jobs; set JOBS on a shared machine.
JOBS=${JOBS:-$(nproc)}

missing_packages() {
    local package
    grep -v -e '^#' -e '^[[:space:]]*$' "$REPO_ROOT/scripts/packages.txt" | while read -r package; do
        dpkg-query -W -f='${db:Status-Status}\n' "$package" 2>/dev/null | grep -qx installed || echo "$package"
    done
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

install_missing_packages() {
    local missing
    missing=$(missing_packages)
    [ -n "$missing" ] || return 0
    echo "Installing: ${missing//$'\n'/ }"
    as_root apt-get update
    # shellcheck disable=SC2086 # one package a word
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
}

# build_project [cmake option...]
# shellcheck disable=SC2120 # scripts/run passes no options
build_project() {
    build_into "$BUILD_DIR" "$@"
}

# build_into <build dir> [cmake option...]
build_into() {
    local dir=$1
    shift
    cmake -S "$REPO_ROOT" -B "$dir" "$@"
    cmake --build "$dir" -j"$JOBS"
}

# Made-up data when a list or the data folder is missing; the tool makes
# only the files that are not there.
sample_data_missing() {
    local list payload=$BUILD_DIR/velka-namro/Payload
    for list in ActMain ActSerif ActTime Alarm; do
        [ -f "$BUILD_DIR/Resources/$list.txt" ] || return 0
    done
    [ ! -d "$payload/Velka Namro 2 HD.app" ] && [ ! -d "$payload/Velka Namro 2.app" ]
}

make_sample_data() {
    if sample_data_missing; then
        "$BUILD_DIR/tools/make-sample-data" "$BUILD_DIR"
    fi
}
