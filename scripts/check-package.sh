#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch folder and checks it:
# every installed file and nothing else, the package fields, the desktop
# entry, the AppStream metadata and the file type, and that the packaged
# game starts.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/package
app_id=io.github.quillon.Quillon
version=$(sed -n 's/^project(quillon VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
package="$build/quillon_${version}-1_$(dpkg --print-architecture).deb"

fail() {
    echo "check-package: $*" >&2
    exit 1
}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUILLON_BUILD_TESTS=OFF -DQUILLON_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/quillon_*.deb
cpack --config "$build/CPackConfig.cmake" -B "$build"
[ -f "$package" ] || fail "no package $package"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$package" "$scratch"

expected=(
    usr/bin/quillon
    "usr/share/applications/$app_id.desktop"
    "usr/share/metainfo/$app_id.metainfo.xml"
    usr/share/mime/packages/quillon.xml
    usr/share/icons/hicolor/scalable/apps/quillon.svg
    usr/share/man/man6/quillon.6.gz
)
for size in 16 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/quillon.png")
done
installed=$(cd "$scratch" && find . -type f -printf '%P\n' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$installed" = "$wanted" ] ||
    fail "installed files differ from the expected ones:"$'\n'"$(diff <(echo "$wanted") <(echo "$installed"))"
for file in "${expected[@]}"; do
    [ -s "$scratch/$file" ] || fail "$file is empty"
done
for size in 16 32 48 64 128 256; do
    identify -format '%wx%h' "$scratch/usr/share/icons/hicolor/${size}x${size}/apps/quillon.png" |
        grep -qx "${size}x${size}" || fail "the ${size}x${size} icon has the wrong size"
done

[ "$(dpkg-deb -f "$package" Section)" = games ] || fail "section is not games"
dpkg-deb -f "$package" Depends | grep -q 'libqt6widgets6' || fail "shared-library dependencies are missing"

desktop-file-validate "$scratch/usr/share/applications/$app_id.desktop"
# PGN's type is shared-mime-info's; the entry only claims it.
grep -q '^MimeType=.*application/x-chess-pgn;' "$scratch/usr/share/applications/$app_id.desktop" ||
    fail "the desktop entry does not open PGN files"
appstreamcli validate --no-net "$scratch/usr/share/metainfo/$app_id.metainfo.xml"

mime="$scratch/usr/share/mime"
XDG_DATA_DIRS="$scratch/usr/share" update-mime-database "$mime"
grep -qx 'application/x-quil-document:\*\.qln' "$mime/globs" || fail "*.qln is not mapped to its type"

reported=$(QT_QPA_PLATFORM=offscreen "$scratch/usr/bin/quillon" --version)
[ "$reported" = "quillon $version" ] || fail "the packaged quillon reports '$reported'"
# e2-e4 e7-e5 as a saved game, exported without a display.
printf '\x02\x00\x0b\x00\x1b\x00\x33\x00\x23\x00' >"$scratch/game.qln"
pgn=$(env -u DISPLAY -u QT_QPA_PLATFORM "$scratch/usr/bin/quillon" --export-pgn "$scratch/game.qln")
grep -qx '1\. e4 e5 \*' <<<"$pgn" || fail "the packaged quillon does not export a game as PGN"
echo "check-package: $package is complete"
