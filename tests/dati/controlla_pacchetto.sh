#!/usr/bin/env bash
# Builds the Debian package of a build tree and checks what installing it would give: the
# programs, every recording of the table, desktop files, icons, and the packages it pulls in.
#   controlla_pacchetto.sh CPACK CPACK_CONFIG INSTALLAZIONE TABELLA ID
# INSTALLAZIONE, the build's install script, stands in for CPack's step of building the tree.
set -euo pipefail
cpack=$1 configurazione=$2 installazione=$3 tabella=$4 id=$5
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

if ! "$cpack" --config "$configurazione" -G DEB -B "$lavoro" -D CPACK_INSTALL_CMAKE_PROJECTS= \
    -D CPACK_INSTALL_SCRIPTS="$installazione" >"$lavoro/cpack.log" 2>&1; then
    cat "$lavoro/cpack.log"
    echo "FAIL: cpack could not build the package" >&2
    exit 1
fi
pacchetti=("$lavoro"/zaffirone_*.deb)
[ "${#pacchetti[@]}" -eq 1 ] && [ -f "${pacchetti[0]}" ] ||
    { echo "FAIL: expected one zaffirone_*.deb, found: ${pacchetti[*]}" >&2; exit 1; }
deb=${pacchetti[0]}

errori=0
manca() { echo "FAIL: $*" >&2; errori=$((errori + 1)); }
# The file list, one path a line, without the leading "./".
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./||' >"$lavoro/contenuto"
contiene() { grep -qxF "$1" "$lavoro/contenuto" || manca "the package lacks /$1"; }

for percorso in usr/bin/zaffirone usr/bin/zaffirone-cli "usr/share/applications/$id.desktop" \
    "usr/share/metainfo/$id.metainfo.xml" "usr/share/icons/hicolor/scalable/apps/$id.svg" \
    usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/"$id.png"; do
    contiene "$percorso"
done
registrazioni=0
while IFS=$'\t' read -r percorso _; do
    case "$percorso" in '#'* | '') continue ;; esac
    contiene "usr/share/zaffirone/Suoni/$percorso"
    registrazioni=$((registrazioni + 1))
done <"$tabella"
# Recordings the table no longer lists must not linger in the package.
installate=$(grep -c '^usr/share/zaffirone/Suoni/.*\.wav$' "$lavoro/contenuto" || true)
[ "$installate" -eq "$registrazioni" ] ||
    manca "$installate recordings in the package, $registrazioni in the table"

campo() { dpkg-deb -f "$deb" "$1"; }
[ "$(campo Package)" = zaffirone ] || manca "Package is '$(campo Package)'"
[ "$(campo Architecture)" = "$(dpkg --print-architecture)" ] ||
    manca "Architecture is '$(campo Architecture)'"
[[ $(campo Description) == *lotto*"Lotto game"* ]] || manca "no Italian and English description"

# Depends lists the packages by name; "libqt6core6 (>= 6.4)" counts as libqt6core6. The Qt and C
# libraries come from dpkg-shlibdeps, the plugins and the font only from our own list: nothing
# links them, yet without them the game has no window, no sound or the wrong letters.
dipendenze=$(campo Depends | tr ',|' '\n\n' | sed -E 's/^ *([^ (]+).*/\1/')
for richiesto in libc6 libqt6core6 libqt6widgets6 libqt6multimedia6 qt6-qpa-plugins qt6-wayland \
    fonts-comic-neue fonts-dejavu-core qt6-translations-l10n; do
    grep -qxF "$richiesto" <<<"$dipendenze" || manca "Depends lacks $richiesto: $(campo Depends)"
done

[ "$errori" -eq 0 ] || exit 1
echo "$(basename "$deb"): $(wc -l <"$lavoro/contenuto") paths, $registrazioni recordings"
echo "Depends: $(campo Depends)"
