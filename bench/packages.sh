#!/bin/sh
# Package benchmark, outside the test suite: making a package of 64 MiB against Info-ZIP's
# zip -9 -j on the same three files, importing it against unzip plus dd conv=notrunc of the
# same bytes, and the peak memory of making and importing a package of 256 MiB.
#
# usage: bench/packages.sh [BUILD_DIR]     (needs zip, unzip, dd, bc, python3 and GNU time)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
cli="$build/kestrix-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KESTRIX_HOME="$work"
runs=3

# The best wall time in seconds of a script over $runs runs, after one warm-up run.
best() {
    sh "$1" >/dev/null 2>&1
    result=""
    i=0
    while [ $i -lt $runs ]; do
        t=$(/usr/bin/time -f "%e" sh "$1" 2>&1 >/dev/null | tail -1)
        if [ -z "$result" ] || [ "$(echo "$t < $result" | bc)" = 1 ]; then result=$t; fi
        i=$((i + 1))
    done
    echo "$result"
}

# The peak resident memory in KiB of a script whose last command execs the program.
peak() {
    /usr/bin/time -f "%M" sh "$1" 2>&1 >/dev/null | tail -1
}

# Writes the scripts that make and import a package of MIB MiB in records of 4 MiB.
prepare() {
    mib=$1
    python3 "$here/makegob.py" "$work/g$mib.gob" $((mib + 2)) 1
    python3 "$here/makegob.py" "$work/target$mib.gob" $((mib + 2)) 2
    i=0
    : >"$work/items$mib"
    while [ $i -lt $((mib / 4)) ]; do
        echo "Part $i|$((1000 + i * (4 * 1024 * 1024 + 4096)))|$((4 * 1024 * 1024))" >>"$work/items$mib"
        i=$((i + 1))
    done
    cat >"$work/pack$mib.sh" <<SCRIPT
rm -f "$work/k$mib.zip"
set --
while IFS= read -r item; do set -- "\$@" "\$item"; done <"$work/items$mib"
exec "$cli" pack --gob "$work/g$mib.gob" --out "$work/k$mib.zip" "\$@"
SCRIPT
    cat >"$work/apply$mib.sh" <<SCRIPT
cp "$work/target$mib.gob" "$work/t$mib.gob"
exec "$cli" apply --gob "$work/t$mib.gob" --package "$work/k$mib.zip" --yes
SCRIPT
    sh "$work/pack$mib.sh" >/dev/null 2>&1
}

prepare 64
mkdir "$work/three"
unzip -q "$work/k64.zip" -d "$work/three"
cat >"$work/zip.sh" <<SCRIPT
rm -f "$work/ref.zip"
cd "$work/three" && zip -q -9 -j "$work/ref.zip" install.data file.data "Replaced Files.txt"
SCRIPT
# unzip, then each record's bytes with dd at its place in the GOB file
cat >"$work/unzipdd.sh" <<SCRIPT
cp "$work/target64.gob" "$work/u.gob"
rm -rf "$work/u" && unzip -q -o "$work/k64.zip" -d "$work/u"
b=0
while IFS='|' read -r name pos size; do
    dd if="$work/u/file.data" of="$work/u.gob" bs=4096 iflag=skip_bytes,count_bytes \
        oflag=seek_bytes skip=\$b seek=\$((pos - 1)) count=\$size conv=notrunc status=none
    b=\$((b + size))
done <"$work/items64"
SCRIPT

t_make=$(best "$work/pack64.sh")
t_zip=$(best "$work/zip.sh")
s_make=$(stat -c %s "$work/k64.zip")
s_zip=$(stat -c %s "$work/ref.zip")
t_import=$(best "$work/apply64.sh")
t_ref=$(best "$work/unzipdd.sh")
cmp -s "$work/t64.gob" "$work/u.gob" && same=yes || same=no
echo "make 64 MiB:   kestrix-cli pack $t_make s, zip -9 -j $t_zip s, ratio $(echo "scale=3; $t_make / $t_zip" | bc)"
echo "archive size:  kestrix-cli $s_make bytes, zip -9 -j $s_zip bytes, ratio $(echo "scale=4; $s_make / $s_zip" | bc)"
echo "import 64 MiB: kestrix-cli apply $t_import s, unzip + dd $t_ref s, ratio $(echo "scale=3; $t_import / $t_ref" | bc), same GOB bytes: $same"
rm -f "$work"/*64*

prepare 256
echo "peak memory, 256 MiB package: make $(peak "$work/pack256.sh") KiB, import $(peak "$work/apply256.sh") KiB"
