#!/usr/bin/env bash
# kestrix-cli apply killed at random moments, while it journals the bytes it will overwrite and
# while it writes the records: the next kestrix-cli history puts the GOB file back byte for byte,
# and says so (or, killed after the end, lists the package as done with all of it written).
#
# usage: crash.sh KESTRIX_CLI
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

# A package of eight records of 64 KiB (one journal piece each) from another GOB file.
head -c 600000 /dev/urandom >"$work/orig_pc.gob"
head -c 600000 /dev/urandom >"$work/source_pc.gob"
items=()
for i in 0 1 2 3 4 5 6 7; do items+=("Part $i|$((1000 + 70000 * i))|65536"); done
"$cli" pack --gob "$work/source_pc.gob" --out "$work/k.zip" "${items[@]}" >/dev/null 2>&1 || exit 1
cp "$work/orig_pc.gob" "$work/t_pc.gob"
"$cli" apply --gob "$work/t_pc.gob" --package "$work/k.zip" --yes >/dev/null 2>&1 || exit 1
whole=$(hash "$work/t_pc.gob")
before=$(hash "$work/orig_pc.gob")

# Two runs with different temporary folders on one GOB file: the second is refused while the
# first is writing, recovers nothing of it, and the first finishes whole.
rm -rf "$KESTRIX_HOME/history"
cp "$work/orig_pc.gob" "$work/t_pc.gob"
mkdir -p "$work/tmp1" "$work/tmp2"
env TMPDIR="$work/tmp1" KESTRIX_TEST_RECORD_PAUSE_MS=400 \
    "$cli" apply --gob "$work/t_pc.gob" --package "$work/k.zip" --yes >/dev/null 2>&1 &
pid=$!
sleep 0.6
TMPDIR="$work/tmp2" "$cli" history --gob "$work/t_pc.gob" >"$work/out" 2>"$work/err"
[ $? = 1 ] && grep -q "^Another Kestrix is changing .*t_pc.gob now" "$work/err" ||
    fail "a second run with another TMPDIR was not kept out: $(cat "$work/err")"
wait $pid || fail "the first run failed beside the second"
[ "$(hash "$work/t_pc.gob")" = "$whole" ] || fail "the first run did not write the package whole"
"$cli" history --gob "$work/t_pc.gob" 2>/dev/null | grep -q $'\tdone\t524288\tk.zip$' ||
    fail "the first run's change is not done"

# CRASH_ROUNDS and CRASH_WINDOW_MS (the latest kill after 30 ms) make a longer run.
rounds=${CRASH_ROUNDS:-6}
for round in $(seq "$rounds"); do
    hook=KESTRIX_TEST_JOURNAL_PAUSE_MS
    [ $((round % 2)) = 0 ] && hook=KESTRIX_TEST_RECORD_PAUSE_MS
    at=$(awk -v r="$RANDOM" -v w="${CRASH_WINDOW_MS:-260}" 'BEGIN { printf "%.3f", 0.03 + r % w / 1000 }')
    rm -rf "$KESTRIX_HOME/history"
    cp "$work/orig_pc.gob" "$work/t_pc.gob"
    env "$hook=25" "$cli" apply --gob "$work/t_pc.gob" --package "$work/k.zip" --yes >/dev/null 2>&1 &
    pid=$!
    sleep "$at"
    kill -9 $pid 2>/dev/null
    wait $pid 2>/dev/null
    "$cli" history --gob "$work/t_pc.gob" >"$work/out" 2>"$work/err" || fail "$hook $at s: history failed"
    line=$(cat "$work/out")
    after=$(hash "$work/t_pc.gob")
    case "$line" in
    "") [ "$after" = "$before" ] || fail "$hook $at s: no change kept, yet the GOB file changed" ;;
    1$'\t'*$'\tpackage\trolled back\t524288\tk.zip')
        [ "$after" = "$before" ] || fail "$hook $at s: rolled back, yet the GOB file differs"
        grep -q 'was interrupted; the GOB file was put back as it was before it' "$work/err" \
            || fail "$hook $at s: nothing said: $(cat "$work/err")"
        ;;
    1$'\t'*$'\tpackage\tdone\t524288\tk.zip')
        [ "$after" = "$whole" ] || fail "$hook $at s: done, yet the package is not all in" ;;
    *) fail "$hook $at s: history says \"$line\"" ;;
    esac
    [ -n "${FAULTS_VERBOSE:-}" ] && echo "$hook $at s: ${line:-nothing kept}"
done

[ $failures = 0 ] && echo "every killed import was put back whole"
exit $((failures > 0))
