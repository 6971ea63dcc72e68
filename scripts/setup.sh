# Shared by scripts/run and scripts/test: installs what a fresh Debian 12
# machine lacks, then configures and builds. Source it; do not run it.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# The last three are for sound (the CMake option ORLENDA_SOUND, on by
# default): decoding, pitch conversion and the audio output.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgtest-dev
    libsndfile1-dev libsamplerate0-dev qt6-multimedia-dev)
# What the editor and the tests use at run time: the Japanese font, Qt's own
# Japanese translation, and the validators of the installed desktop files.
RUNTIME_PACKAGES=(fonts-noto-cjk qt6-translations-l10n)
TEST_PACKAGES=("${RUNTIME_PACKAGES[@]}" desktop-file-utils appstream)

# Prints those of the named packages that are not installed.
missing_packages() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

ensure_packages() {
    local missing
    mapfile -t missing < <(missing_packages "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Fails with the names of the packages that are still missing, so that a
# failed installation is not discovered later inside a test.
require_packages() {
    local missing
    mapfile -t missing < <(missing_packages "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "$(basename "$0"): needed but not installed: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
}

# build_in DIR [cmake options...]
build_in() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
    cmake --build "$dir"
}
