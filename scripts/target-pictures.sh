#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the README's pictures of each target kind: the command line's PDF,
# rasterised by pdftoppm (poppler-utils). Usage: scripts/target-pictures.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."
quadrix="${1:-build}/quadrix"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

picture() { # NAME PAPER OPTIONS...
    local name=$1 paper=$2
    shift 2
    "$quadrix" --paper "$paper" --output "$work/$name.pdf" "$@" >/dev/null
    pdftoppm -png -r 60 -singlefile "$work/$name.pdf" "docs/target-$name"
}

picture checkerboard 120x95mm --columns 8 --rows 6 --checker 12mm
picture charuco 170x95mm --target charuco --columns 8 --rows 6 --checker 12mm --dictionary DICT_4X4_50
picture charuco-legacy 170x95mm --target charuco --columns 8 --rows 6 --checker 12mm --dictionary DICT_4X4_50 --legacy
picture circles 120x95mm --target circles --columns 8 --rows 6 --checker 12mm
picture acircles 150x120mm --target acircles --columns 4 --rows 11 --checker 8mm --diameter 0.6
picture aprilgrid 200x160mm --target aprilgrid --columns 5 --rows 4 --checker 26mm

# A tiled board: its assembly page and the sheet in the first row's middle.
"$quadrix" --target charuco --columns 10 --rows 8 --checker 4cm --paper A4 --resolution 300 \
    --tile --output "$work/tiled.pdf" >/dev/null
pdftoppm -png -r 40 -f 1 -l 1 -singlefile "$work/tiled.pdf" docs/tiled-assembly
pdftoppm -png -r 40 -f 3 -l 3 -singlefile "$work/tiled.pdf" docs/tiled-sheet
