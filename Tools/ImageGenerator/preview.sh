#!/bin/sh
# Composes a preview of the images as the game shows them: a 6 x 4 board of 60-pixel cells with
# a bent snake, heads in all four directions and the item, each cell sampled from the 512 x 512
# image the way the renderer's linear filter without mipmaps does; below it the GUI icons at
# four times their size on the widget colours, the fallback image and the checker.
#
# usage: Tools/ImageGenerator/preview.sh [image folder] [output file]
#        defaults: Resources/Images and build/ImagePreview.png (run from the repository root)
set -eu

images=${1:-Resources/Images}
out=${2:-build/ImagePreview.png}
cell=60
margin=30
clear='rgb(122,122,122)' # the game's clear colour around the board
board='rgb(51,77,77)'    # the board's background quad

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A cell holds the image turned by direction * 90 degrees counter-clockwise (0 down, 1 right,
# 2 up, 3 left). Compositing over the board colour before sampling gives exactly what blending a
# premultiplied, linearly filtered texel over the uniform board gives.
args=""
place() { # image direction column row
    file="$tmp/cell_$3_$4.png"
    convert -size 512x512 "xc:$board" "$images/$1.png" -composite -rotate $((360 - $2 * 90)) \
        -interpolate bilinear -interpolative-resize "${cell}x${cell}" "$file"
    args="$args $file -geometry +$((margin + $3 * cell))+$((margin + $4 * cell)) -composite"
}

# A snake coming in from the left, turning down and then right, with its head facing right.
place snake_body 1 1 0
place snake_body 0 2 0
place snake_body 0 2 1
place snake_body 1 2 2
place snake_body 1 3 2
place snake_head 1 4 2
# A second snake running alongside the first one's last row.
place snake_body 1 2 3
place snake_body 1 3 3
place snake_head 1 4 3
# The other three directions and the item.
place snake_head 0 0 3
place snake_head 2 0 1
place snake_head 3 5 2
place food 0 5 0

width=$((6 * cell + 2 * margin))
height=$((4 * cell + 2 * margin))
# shellcheck disable=SC2086 # args is a list of words on purpose
convert -size "${width}x${height}" "xc:$clear" -fill "$board" \
    -draw "rectangle $margin,$margin $((margin + 6 * cell - 1)),$((margin + 4 * cell - 1))" \
    $args "$tmp/board.png"

# Icons at x4 (nearest neighbour, so single pixels stay visible) on the combo box field colour
# and on the check box fill colour.
icons="CheckMark CrossMark DropDown IncrementButton DecrementButton SliderLeft SliderRight"
for background in 'rgb(77,77,79)' 'rgb(128,128,129)'; do
    row=""
    for icon in $icons; do
        file="$tmp/icon_${icon}_$(echo "$background" | tr -cd '0-9').png"
        convert "$images/$icon.png" -background "$background" -flatten -filter point -resize 400% \
            -bordercolor "$clear" -border 8 "$file"
        row="$row $file"
    done
    # shellcheck disable=SC2086
    convert $row -background "$clear" -gravity center +append "$tmp/icons_$(echo "$background" | tr -cd '0-9').png"
done

convert "$images/TextureNotFound.png" -bordercolor "$clear" -border 8 "$tmp/missing.png"
convert "$images/Checker.png" -resize 64x64 -bordercolor "$clear" -border 8 "$tmp/checker.png"
convert "$tmp/missing.png" "$tmp/checker.png" -background "$clear" +append "$tmp/misc.png"

mkdir -p "$(dirname "$out")"
convert "$tmp/board.png" "$tmp/icons_777779.png" "$tmp/icons_128128129.png" "$tmp/misc.png" \
    -background "$clear" -gravity west -append "$out"
echo "preview written to $out"
