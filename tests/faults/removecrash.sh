#!/usr/bin/env bash
# kestrix-cli remove killed while it journals or writes: the next kestrix-cli history leaves the
# GOB file and the bats folder exactly as before the removal (rolled back) or as after it (done),
# both the same one, never between. What each should hold is built by copying bytes by hand.
# usage: removecrash.sh KESTRIX_CLI
set -uo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KESTRIX_HOME=$work/home
failures=0
fail() { echo "FAIL: $*" >&2 && failures=$((failures + 1)); }
hash() { sha256sum <"$1" | cut -d' ' -f1; }
gob=$work/t_pc.gob
bats=$work/bats
# A GOB file's hash and the files of a bats folder with theirs.
state() { echo "$(hash "$1") $(cd "$2" && sha256sum -- * | tr '\n' ' ')"; }
# Two packages of eight 64 KiB records; b writes over half of each record of a. a brings a .tga
# the bats folder had none of, b one that replaces the user's own.
head -c 1200000 /dev/urandom >"$work/orig_pc.gob"
mkdir -p "$work/own" "$work/tga"
for f in own/cap:3000 tga/shirt:5000 tga/cap:7000; do head -c "${f#*:}" /dev/urandom >"$work/${f%:*}.tga"; done
declare -A tga=([a]=shirt.tga [b]=cap.tga) first=([a]=1000 [b]=33768)
for p in a b; do
    head -c 1200000 /dev/urandom >"$work/$p.gob"
    items=()
    for i in $(seq 0 7); do items+=("Part $i|$((first[$p] + 140000 * i))|65536"); done
    "$cli" pack --gob "$work/$p.gob" --out "$work/$p.zip" --readme "$work/tga/${tga[$p]}" \
        "${items[@]}" >/dev/null 2>&1 || exit 1
done
# The state with the packages given applied in order, by copying their bytes (an item's position
# counts from 1) and files by hand.
built() {
    local p i
    cp "$work/orig_pc.gob" "$work/built.gob"
    rm -rf "$work/built" && cp -r "$work/own" "$work/built"
    for p in "$@"; do
        for i in $(seq 0 7); do
            dd if="$work/$p.gob" of="$work/built.gob" bs=64K skip=$((first[$p] - 1 + 140000 * i)) \
                seek=$((first[$p] - 1 + 140000 * i)) count=64K conv=notrunc status=none \
                iflag=skip_bytes,count_bytes oflag=seek_bytes
        done
        cp "$work/tga/${tga[$p]}" "$work/built/"
    done
    state "$work/built.gob" "$work/built"
}
both=$(built a b)
declare -A without=([a]=$(built b) [b]=$(built a))
setup() {
    local p
    rm -rf "$KESTRIX_HOME/history" "$bats" && cp "$work/orig_pc.gob" "$gob" && cp -r "$work/own" "$bats"
    for p in a b; do
        "$cli" apply --gob "$gob" --package "$work/$p.zip" --bats "$bats" --yes >/dev/null 2>&1 || exit 1
    done
    [ "$(state "$gob" "$bats")" = "$both" ] || fail "a and b applied are not the bytes and files of both"
}

# Each round kills the removal of b or of a while it journals or while it writes; the first two
# let it finish.
for round in -1 0 $(seq "${CRASH_ROUNDS:-8}"); do
    hook=KESTRIX_TEST_JOURNAL_PAUSE_MS
    [ $((round % 2)) = 0 ] && hook=KESTRIX_TEST_RECORD_PAUSE_MS
    p=$([ $(((round - 1) / 2 % 2)) = 0 ] && echo a || echo b)
    at=$(awk -v r="$RANDOM" 'BEGIN { printf "%.3f", 0.03 + r % 400 / 1000 }')
    setup
    env "$hook=25" "$cli" remove --gob "$gob" --package $p.zip >/dev/null 2>&1 &
    pid=$!
    [ "$round" -le 0 ] || { sleep "$at" && kill -9 $pid 2>/dev/null; }
    wait $pid 2>/dev/null
    line=$("$cli" history --gob "$gob" 2>/dev/null | head -1) || fail "$p $hook $at s: history failed"
    case "$line" in
    3$'\t'*$'\tremove\tdone\t'*) want=${without[$p]} ;;
    3$'\t'*$'\tremove\trolled back\t'* | 2$'\t'*) want=$both ;;
    *) fail "$p $hook $at s: history says \"$line\"" && continue ;;
    esac
    [ "$round" -gt 0 ] || [ "$want" != "$both" ] || fail "removing $p without a kill left it as it was"
    [ "$(state "$gob" "$bats")" = "$want" ] || fail "$p $hook $at s: \"$line\", yet the GOB file or the bats folder is not so"
done
[ $failures = 0 ] && echo "every killed removal left all or nothing"
exit $((failures > 0))
