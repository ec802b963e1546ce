#!/usr/bin/env bash
# BMP to JPG with a resize: kestrix-cli jpg against ImageMagick's convert on the same bitmap.
# Usage: bench/converter.sh BUILD_DIR WORK_DIR; prints "name<TAB>seconds" lines.
set -euo pipefail
build=$1 work=$2
in=$work/in4096.bmp
[ -f "$in" ] || convert -size 4096x4096 plasma:fractal -seed 7 -type TrueColor "BMP3:$in" 2>/dev/null \
    || convert -size 4096x4096 gradient:red-blue -type TrueColor "BMP3:$in"
best() { # best of three wall-clock runs of a command
    local best=999
    for _ in 1 2 3; do
        local s e; s=$(date +%s.%N); "$@" > /dev/null 2>&1; e=$(date +%s.%N)
        best=$(echo "$e - $s" | bc -l | awk -v b="$best" '{print ($1 < b) ? $1 : b}')
    done
    echo "$best"
}
printf 'converter kestrix\t%s\n' "$(best "$build/kestrix-cli" jpg --in "$in" --out "$work/k.jpg" --size 2048x2048)"
printf 'converter convert\t%s\n' "$(best convert "$in" -resize '2048x2048!' -quality 100 "$work/m.jpg")"
