#!/usr/bin/env bash
# Writes docs/contact-sheet.png: every sprite strip (enlarged 2x) and the title picture on one page, for
# reviewing the generated art. Needs imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for f in assets/Images/*.png; do
  name=$(basename "$f" .png)
  case "$name" in
    title3) convert "$f" -resize 50% "$tmp/$name.png" ;;
    *) convert "$f" -background '#101018' -flatten -filter point -resize 200% "$tmp/$name.png" ;;
  esac
done
montage "$tmp"/*.png -background '#101018' -tile 4x \
  -geometry '+8+8' docs/contact-sheet.png
echo "docs/contact-sheet.png"
