#!/usr/bin/env bash
# Sets up a Debian 12 machine for Zaffirone (as root), builds it, then plays or runs the tests.
#   bash scripts/setup.sh play   build and start the game
#   bash scripts/setup.sh test   build and run the whole suite, normally and under ASan + UBSan,
#                                then the core's fuzz targets for a short while each
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-wayland qt6-multimedia-dev qt6-svg-dev
    libcli11-dev nlohmann-json3-dev libbenchmark-dev libsqlite3-dev libarchive-dev libxml2-dev
    pulseaudio pulseaudio-utils sox xvfb xauth openbox xdotool fonts-urw-base35
    espeak-ng librsvg2-bin desktop-file-utils appstream fonts-comic-neue fonts-dejavu-core
    qt6-translations-l10n dpkg-dev file time strace groff-base libcairo2-dev poppler-utils
    clang libclang-rt-14-dev
)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        export DEBIAN_FRONTEND=noninteractive
        apt-get update
        apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

build() {
    cmake --preset "$1" && cmake --build --preset "$1" --parallel "$(nproc)"
}

# Only the tests need LibreOffice and Gnumeric (they open and save export's spreadsheets with
# them, Gnumeric in Italian as a player runs it), qt6ct (a dark desktop with a big font) and weston
# (a Wayland desktop).
if [ "${1:-}" = test ]; then
    packages+=(libreoffice-calc-nogui gnumeric locales qt6ct weston)
fi
install_missing
if [ "${1:-}" = test ] && ! locale -a | grep -qx 'it_IT.utf8'; then
    sed -i 's/^# *\(it_IT.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    locale-gen
fi
case "${1:-}" in
play)
    build default
    exec ./build/src/zaffirone
    ;;
test)
    # Every stage runs even when one before it failed (a test timed out on a busy machine), so
    # that the fuzz targets are always run; the command fails at the end if any stage did.
    failed=()
    { build default && ctest --preset default --parallel "$(nproc)"; } || failed+=(default)
    { build asan && ctest --preset asan --parallel "$(nproc)"; } || failed+=(asan)
    { build fuzz && ctest --preset fuzz --parallel "$(nproc)"; } || failed+=(fuzz)
    if [ "${#failed[@]}" -gt 0 ]; then
        echo "stages that failed: ${failed[*]}" >&2
        exit 1
    fi
    ;;
*)
    echo "uso: bash scripts/setup.sh play|test" >&2
    exit 2
    ;;
esac
