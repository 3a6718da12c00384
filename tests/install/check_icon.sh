#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check_icon.sh SVG PNG
# The scalable icon is a hand-kept copy of the window's icon drawing; the PNG is painted by that
# drawing. Renders the SVG at the PNG's size and fails when the two pictures differ by more
# than edge smoothing does (a root-mean-square difference of 1 %; a changed colour or a moved
# part of the drawing gives 4 % and more).
set -euo pipefail
svg=$1 png=$2
size=$(identify -format '%w' "$png")
out=$(mktemp --suffix=.png)
trap 'rm -f "$out"' EXIT
rsvg-convert -w "$size" -h "$size" "$svg" -o "$out"
# compare prints "absolute (normalised)" on standard error and exits 1 when the images differ.
metric=$(compare -metric RMSE "$out" "$png" null: 2>&1 || true)
normalised=$(echo "$metric" | sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p')
[ -n "$normalised" ] || { echo "compare failed: $metric"; exit 1; }
echo "root-mean-square difference of the SVG at ${size}px and the painted icon: $normalised"
awk -v d="$normalised" 'BEGIN { exit !(d < 0.01) }' || { echo "FAIL: the SVG no longer matches the icon drawing"; exit 1; }
