#!/usr/bin/env bash
# kestrix-cli remove killed at random moments, while it journals and while it writes: the next
# kestrix-cli history leaves the GOB file exactly as before the removal (rolled back) or exactly
# as after it (done), never between.
#
# usage: removecrash.sh KESTRIX_CLI
set -uo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KESTRIX_HOME=$work/home
mkdir -p "$KESTRIX_HOME"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
hash() { sha256sum <"$1" | cut -d' ' -f1; }

# Two packages of eight 64 KiB records; the second writes over half of each record of the first.
head -c 1200000 /dev/urandom >"$work/orig_pc.gob"
for p in a b; do
    head -c 1200000 /dev/urandom >"$work/$p.gob"
    items=()
    shift=0
    [ $p = b ] && shift=32768
    for i in 0 1 2 3 4 5 6 7; do items+=("Part $i|$((1000 + shift + 140000 * i))|65536"); done
    "$cli" pack --gob "$work/$p.gob" --out "$work/$p.zip" "${items[@]}" >/dev/null 2>&1 || exit 1
done
setup() {
    rm -rf "$KESTRIX_HOME/history"
    cp "$work/orig_pc.gob" "$work/t_pc.gob"
    "$cli" apply --gob "$work/t_pc.gob" --package "$work/a.zip" --yes >/dev/null 2>&1 &&
        "$cli" apply --gob "$work/t_pc.gob" --package "$work/b.zip" --yes >/dev/null 2>&1
}
setup || exit 1
before=$(hash "$work/t_pc.gob")
"$cli" remove --gob "$work/t_pc.gob" --package a.zip >/dev/null 2>&1 || exit 1
removed=$(hash "$work/t_pc.gob")
[ "$removed" != "$before" ] || fail "the removal changed nothing"

for round in $(seq "${CRASH_ROUNDS:-6}"); do
    hook=KESTRIX_TEST_JOURNAL_PAUSE_MS
    [ $((round % 2)) = 0 ] && hook=KESTRIX_TEST_RECORD_PAUSE_MS
    at=$(awk -v r="$RANDOM" 'BEGIN { printf "%.3f", 0.03 + r % 200 / 1000 }')
    setup || exit 1
    env "$hook=25" "$cli" remove --gob "$work/t_pc.gob" --package a.zip >/dev/null 2>&1 &
    pid=$!
    sleep "$at"
    kill -9 $pid 2>/dev/null
    wait $pid 2>/dev/null
    "$cli" history --gob "$work/t_pc.gob" >"$work/out" 2>"$work/err" || fail "$hook $at s: history failed"
    line=$(head -1 "$work/out")
    after=$(hash "$work/t_pc.gob")
    case "$line" in
    3$'\t'*$'\tremove\tdone\t'*) [ "$after" = "$removed" ] || fail "$hook $at s: done, yet not all put back" ;;
    3$'\t'*$'\tremove\trolled back\t'* | 2$'\t'*)
        [ "$after" = "$before" ] || fail "$hook $at s: not done, yet the GOB file changed" ;;
    *) fail "$hook $at s: history says \"$line\"" ;;
    esac
    [ -n "${FAULTS_VERBOSE:-}" ] && echo "$hook $at s: $line"
done

[ $failures = 0 ] && echo "every killed removal left all or nothing"
exit $((failures > 0))
