#!/bin/bash
# Renders the piece images and the application icon to PNG sheets, so artwork
# edits can be judged by eye: every piece on both cell colours at 1x and 3x,
# and the icon at 48 and 256 pixels.
#
# usage: scripts/render-pieces-preview.sh [OUTPUT_DIR]   (default /tmp)
# needs: rsvg-convert (Debian package librsvg2-bin) and ImageMagick's convert
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-/tmp}
pieces="$root/resources/pieces"
icon="$root/resources/icons/quillon.svg"
light_cell=white
dark_cell='#8BB9FE'

for tool in rsvg-convert convert; do
    command -v "$tool" >/dev/null || {
        echo "$0: $tool is missing (apt-get install librsvg2-bin imagemagick)" >&2
        exit 1
    }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# cell SVG SIZE BACKGROUND PNG: one board cell with the image drawn on it
cell() {
    rsvg-convert -w "$2" -h "$2" "$1" -o "$work/image.png"
    convert -size "$2x$2" "xc:$3" "$work/image.png" -composite "$4"
}

rows=()
for scale in 1 3; do
    size=$((40 * scale))
    for colour in white black; do
        for first in 0 1; do
            cells=()
            i=$first
            for piece in pawn knight bishop rook queen king; do
                background=$light_cell
                ((i % 2)) && background=$dark_cell
                i=$((i + 1))
                png="$work/$colour-$piece-$scale-$first.png"
                cell "$pieces/$colour-$piece.svg" "$size" "$background" "$png"
                cells+=("$png")
            done
            convert "${cells[@]}" +append "$work/row-$colour-$scale-$first.png"
            rows+=("$work/row-$colour-$scale-$first.png")
        done
    done
done
convert -background '#777777' "${rows[@]}" -append "$out/quillon-pieces-preview.png"

rsvg-convert -w 48 -h 48 "$icon" -o "$work/icon-48.png"
rsvg-convert -w 256 -h 256 "$icon" -o "$work/icon-256.png"
convert -background '#DDDDDD' -gravity north "$work/icon-256.png" \
    -size 8x1 xc:'#DDDDDD' "$work/icon-48.png" +append "$out/quillon-icon-preview.png"

echo "$out/quillon-pieces-preview.png"
echo "$out/quillon-icon-preview.png"
