#!/usr/bin/env bash
# Renders the PNG sizes of the program icon from vellumatic.svg (needs librsvg2-bin).
# The PNGs are committed, so building and installing never needs the renderer.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for size in 16 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert -w "$size" -h "$size" vellumatic.svg -o "${size}x${size}/vellumatic.png"
done
