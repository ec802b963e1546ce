#!/usr/bin/env bash
# kestrix-cli remove killed while it journals or writes: the next kestrix-cli history leaves the
# GOB file exactly as before the removal (rolled back) or as after it (done), never between.
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
# Two packages of eight 64 KiB records; b writes over half of each record of a.
head -c 1200000 /dev/urandom >"$work/orig_pc.gob"
for p in a b; do
    head -c 1200000 /dev/urandom >"$work/$p.gob"
    items=()
    shift=$([ $p = b ] && echo 32768 || echo 0)
    for i in $(seq 0 7); do items+=("Part $i|$((1000 + shift + 140000 * i))|65536"); done
    "$cli" pack --gob "$work/$p.gob" --out "$work/$p.zip" "${items[@]}" >/dev/null 2>&1 || exit 1
done
setup() {
    rm -rf "$KESTRIX_HOME/history" && cp "$work/orig_pc.gob" "$gob"
    for p in a b; do "$cli" apply --gob "$gob" --package "$work/$p.zip" --yes >/dev/null 2>&1 || exit 1; done
    before=$(hash "$gob")
}
setup
"$cli" remove --gob "$gob" --package a.zip >/dev/null 2>&1 || exit 1
removed=$(hash "$gob")
[ "$removed" != "$before" ] || fail "the removal changed nothing"

for round in $(seq "${CRASH_ROUNDS:-6}"); do
    hook=KESTRIX_TEST_JOURNAL_PAUSE_MS
    [ $((round % 2)) = 0 ] && hook=KESTRIX_TEST_RECORD_PAUSE_MS
    at=$(awk -v r="$RANDOM" 'BEGIN { printf "%.3f", 0.03 + r % 200 / 1000 }')
    setup
    env "$hook=25" "$cli" remove --gob "$gob" --package a.zip >/dev/null 2>&1 &
    pid=$!
    sleep "$at" && kill -9 $pid 2>/dev/null
    wait $pid 2>/dev/null
    line=$("$cli" history --gob "$gob" 2>/dev/null | head -1) || fail "$hook $at s: history failed"
    case "$line" in
    3$'\t'*$'\tremove\tdone\t'*) want=$removed ;;
    3$'\t'*$'\tremove\trolled back\t'* | 2$'\t'*) want=$before ;;
    *) fail "$hook $at s: history says \"$line\"" && continue ;;
    esac
    [ "$(hash "$gob")" = "$want" ] || fail "$hook $at s: \"$line\", yet the GOB file is not so"
done
[ $failures = 0 ] && echo "every killed removal left all or nothing"
exit $((failures > 0))
