#!/usr/bin/env bash
# Full disks and a read-only GOB file: kestrix-cli refuses each write with a message and leaves
# the GOB file byte for byte as it was; every kind of output file onto a full or read-only disk
# leaves the old file of its name as it was, and nothing beside it. The disk is a small tmpfs mount in a private mount
# namespace; where the machine allows no mount, a file size limit makes the writes fail instead.
#
# usage: faults.sh KESTRIX_CLI
set -uo pipefail

# Whole pages inside the record's pixels (record at 96470, pixels from 96582).
hole_at=98304
hole_length=983040

hash() { sha256sum <"$1" | cut -d' ' -f1; }

if [ "${1:-}" = --inside ]; then
    disk=$2 case=$3 cli=$4 work=$5 mode=$6
    cat=$work/demo/BmpList.txt
    gob=$work/demo/Torvane/data/torvane_pc.gob
    out=$work/result
    # A GOB file on the disk whose record pages hold no blocks yet, as in a sparse copy.
    sparse_gob() {
        cp "$gob" "$disk/g.gob"
        [ $mode = tmpfs ] && fallocate --punch-hole --offset $hole_at --length $hole_length "$disk/g.gob"
        hash "$disk/g.gob" >"$out/before"
    }
    # Runs a command with the disk full: filled to the last block, or a file size limit of 1 KiB.
    full() {
        if [ $mode = tmpfs ]; then
            dd if=/dev/zero of="$disk/fill" bs=4096 2>/dev/null
            "$@" >/dev/null 2>"$out/err"
        else
            (trap '' XFSZ; ulimit -f 1; exec "$@" >/dev/null 2>"$out/err")
        fi
        echo $? >"$out/rc"
    }
    case $case in
    import)
        sparse_gob
        full "$cli" import --catalogue "$cat" --gob "$disk/g.gob" --entry 5 --sub 1 --file "$work/pitch.bmp"
        hash "$disk/g.gob" >"$out/after"
        ;;
    make)
        hash "$gob" >"$out/before"
        full "$cli" pack --gob "$gob" --catalogue "$cat" --out "$disk/k.zip" 5:1
        hash "$gob" >"$out/after"
        ls -A "$disk" | grep -v '^fill$' >"$out/left"
        ;;
    backup)
        cp "$work/pitch.zip" "$disk/p.zip"
        cp "$gob" "$work/t.gob"
        dd if=/dev/zero of="$work/t.gob" bs=4096 seek=30 count=10 conv=notrunc 2>/dev/null
        hash "$work/t.gob" >"$out/before"
        full "$cli" apply --gob "$work/t.gob" --package "$disk/p.zip" --backup --yes
        hash "$work/t.gob" >"$out/after"
        ls -A "$disk" | grep -v -e '^fill$' -e '^p.zip$' >"$out/left"
        ;;
    apply)
        sparse_gob
        full "$cli" apply --gob "$disk/g.gob" --package "$work/pitch.zip" --yes
        hash "$disk/g.gob" >"$out/after"
        ;;
    no-reserve)
        # A file system that cannot set space aside (EOPNOTSUPP): the writes meet the full disk
        # part of the way, and the command puts back only the pages it reached.
        sparse_gob
        export KESTRIX_TEST_FAULT=reserve:g.gob:0:95:-1
        full "$cli" import --catalogue "$cat" --gob "$disk/g.gob" --entry 5 --sub 1 --file "$work/pitch.bmp"
        unset KESTRIX_TEST_FAULT
        hash "$disk/g.gob" >"$out/after"
        "$cli" history --gob "$disk/g.gob" >"$out/history" 2>/dev/null
        ;;
    history)
        # The GOB file has room, the history beside the application folder has none.
        cp "$gob" "$work/h.gob"
        hash "$work/h.gob" >"$out/before"
        export KESTRIX_HOME=$disk/home
        mkdir -p "$KESTRIX_HOME"
        full "$cli" import --catalogue "$cat" --gob "$work/h.gob" --entry 5 --sub 1 --file "$work/pitch.bmp"
        hash "$work/h.gob" >"$out/after"
        ;;
    readonly)
        cp "$gob" "$disk/g.gob"
        dd if=/dev/zero of="$disk/g.gob" bs=4096 seek=30 count=10 conv=notrunc 2>/dev/null
        hash "$disk/g.gob" >"$out/before"
        if [ $mode = tmpfs ]; then
            mount -o remount,ro "$disk" || exit 1
        else
            chmod a-w "$disk/g.gob"
        fi
        "$cli" import --catalogue "$cat" --gob "$disk/g.gob" --entry 5 --sub 1 --file "$work/pitch.bmp" \
            >/dev/null 2>"$out/err"
        echo $? >"$out/rc"
        "$cli" apply --gob "$disk/g.gob" --package "$work/pitch.zip" --yes >/dev/null 2>"$out/err2"
        echo $? >"$out/rc2"
        hash "$disk/g.gob" >"$out/after"
        ;;
    full-outputs | readonly-outputs)
        # Every kind of output onto a disk that cannot take it, each over an old file of its
        # name: the old files stay byte for byte and nothing is left beside them.
        mkdir -p "$disk/bats"
        for f in x.bmp s.bmp p.png k.jpg k.zip bats/shirt.tga; do echo "old $f" >"$disk/$f"; done
        cp "$work/tga.zip" "$disk/kit.zip"
        cp "$gob" "$work/t.gob"
        mkdir -p "$work/bats"
        hash "$work/t.gob" >"$out/gob-before"
        (cd "$disk" && find . -type f -exec sha256sum {} + | sort) >"$out/before"
        outputs=(
            "extract --catalogue $cat --gob $gob --entry 5 --sub 1 --out $disk/x.bmp"
            "save --catalogue $cat --gob $gob --entry 5 --sub 1 --out $disk/s.bmp"
            "preview --catalogue $cat --gob $gob --entry 5 --sub 1 --out $disk/p.png"
            "jpg --in $work/pitch.bmp --out $disk/k.jpg"
            "pack --gob $gob --catalogue $cat --out $disk/k.zip 5:1"
            "apply --gob $work/t.gob --package $disk/kit.zip --bats $disk/bats --backup --yes"
            "apply --gob $work/t.gob --package $disk/kit.zip --bats $work/bats --backup --yes"
        )
        run_all() {
            local i=0
            for command in "${outputs[@]}"; do
                # shellcheck disable=SC2086 # the paths hold no blanks
                "$cli" $command >/dev/null 2>"$out/err$i"
                echo $? >"$out/rc$i"
                i=$((i + 1))
            done
        }
        if [ "$case" = readonly-outputs ]; then
            if [ $mode = tmpfs ]; then mount -o remount,ro "$disk" || exit 1; else chmod -R a-w "$disk"; fi
            run_all
        elif [ $mode = tmpfs ]; then
            dd if=/dev/zero of="$disk/fill" bs=4096 2>/dev/null
            run_all
        else
            (trap '' XFSZ; ulimit -f 1; run_all)
        fi
        rm -f "$disk/fill" 2>/dev/null
        (cd "$disk" && find . -type f -exec sha256sum {} + | sort) >"$out/after"
        ls -A "$work/bats" >>"$out/after"
        hash "$work/t.gob" >"$out/gob-after"
        ;;
    esac
    exit 0
fi

cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KESTRIX_HOME=$work/home
disk=$work/disk
mkdir -p "$KESTRIX_HOME" "$disk"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if [ "${FAULTS_BY_LIMIT:-}" != 1 ] && unshare -rm sh -c "mount -t tmpfs -o size=64k tmpfs '$disk'" 2>/dev/null; then
    mode=tmpfs
else
    mode=limit
fi
echo "full disk by: $mode"

# The sample game, a changed copy of its 1024 x 1024 "Pitch" record and a package of it.
"$cli" demo "$work/demo" >/dev/null || exit 1
cat=$work/demo/BmpList.txt
gob=$work/demo/Torvane/data/torvane_pc.gob
"$cli" extract --catalogue "$cat" --gob "$gob" --entry 5 --sub 1 --out "$work/pitch.bmp" || exit 1
# Changed bytes both before the holes (pixel 100, in a page that holds its blocks) and inside them,
# so that a write that fails part of the way through would show in the GOB file's hash.
for at in 1178 5000; do
    printf '\x5a\x5b\x5c' | dd of="$work/pitch.bmp" bs=1 seek=$at conv=notrunc 2>/dev/null
done
# The package carries the changed record, so that it differs from the GOB files it goes into.
cp "$gob" "$work/changed.gob"
"$cli" import --catalogue "$cat" --gob "$work/changed.gob" --entry 5 --sub 1 --file "$work/pitch.bmp" \
    >/dev/null 2>&1 </dev/null || exit 1
"$cli" pack --gob "$work/changed.gob" --catalogue "$cat" --out "$work/pitch.zip" 5:1 >/dev/null 2>&1 || exit 1
# The same package with a .tga file for the bats folder, larger than the size limit.
head -c 8192 /dev/urandom >"$work/shirt.tga"
"$cli" pack --gob "$work/changed.gob" --catalogue "$cat" --readme "$work/shirt.tga" \
    --out "$work/tga.zip" 5:1 >/dev/null 2>&1 || exit 1

# Runs one case: in tmpfs mode inside its own mount namespace with a 4 MiB disk at $disk.
run_case() {
    rm -rf "${disk:?}"/* "$work/result"
    mkdir -p "$work/result"
    if [ $mode = tmpfs ]; then
        unshare -rm bash -c 'mount -t tmpfs -o size=4m tmpfs "$1" && bash "$0" --inside "$@"' \
            "$0" "$disk" "$1" "$cli" "$work" "$mode"
    else
        bash "$0" --inside "$disk" "$1" "$cli" "$work" "$mode"
    fi
}


# Checks that a case was refused with exit code 1 and a message matching a pattern, and that the
# GOB file's hash did not change.
expect_refused() {
    local name=$1 pattern=$2 rc=${3:-rc} err=${4:-err}
    [ "$(cat "$work/result/$rc" 2>/dev/null)" = 1 ] || fail "$name: exit code $(cat "$work/result/$rc" 2>/dev/null)"
    [ -n "${FAULTS_VERBOSE:-}" ] && echo "$name: $(cat "$work/result/$err")"
    grep -Eq "$pattern" "$work/result/$err" || fail "$name: message \"$(cat "$work/result/$err")\""
    cmp -s "$work/result/before" "$work/result/after" || fail "$name: the GOB file changed"
}

space='No space left on device|File too large'

run_case import
expect_refused "record import on a full disk" "$space"

run_case make
expect_refused "package make on a full disk" "$space"
[ -s "$work/result/left" ] && fail "package make left files behind: $(cat "$work/result/left")"

run_case backup
expect_refused "package import with its backup on a full disk" "$space"
[ $mode = limit ] || grep -q 'backup' "$work/result/err" || fail "backup: the message does not say the backup failed"
[ -s "$work/result/left" ] && fail "backup left files behind: $(cat "$work/result/left")"

run_case apply
expect_refused "package import into a GOB file on a full disk" "$space"

# A file size limit would stop the scratch files first: only a full disk shows these.
if [ $mode = tmpfs ]; then
    run_case no-reserve
    expect_refused "record import on a full disk without reserved space" 'No space left on device'
    grep -q $'\tbitmap\trolled back\t' "$work/result/history" ||
        fail "no reserve: history says $(cat "$work/result/history")"

    run_case history
    expect_refused "record import with the history on a full disk" 'give --no-undo'
fi

if [ $mode = tmpfs ] || [ "$(id -u)" != 0 ]; then
    run_case readonly
    expect_refused "record import into a read-only GOB file" 'Read-only file system|ermission|cannot be written'
    expect_refused "package import into a read-only GOB file" 'Read-only file system|ermission|cannot be written' rc2 err2
fi

# Checks every output of a *-outputs case: exit code 1, the system's reason, the old files and
# the GOB file unchanged, nothing left behind.
expect_outputs_refused() {
    local kind=$1 pattern=$2 i
    for i in 0 1 2 3 4 5 6; do
        [ "$(cat "$work/result/rc$i")" = 1 ] || fail "$kind output $i: exit code $(cat "$work/result/rc$i")"
        [ -n "${FAULTS_VERBOSE:-}" ] && echo "$kind output $i: $(cat "$work/result/err$i")"
        grep -Eq "$pattern" "$work/result/err$i" || fail "$kind output $i: message \"$(cat "$work/result/err$i")\""
    done
    cmp -s "$work/result/before" "$work/result/after" ||
        fail "$kind outputs changed or left files: $(diff "$work/result/before" "$work/result/after" | tr '\n' ' ')"
    cmp -s "$work/result/gob-before" "$work/result/gob-after" || fail "$kind outputs: the GOB file changed"
}

run_case full-outputs
expect_outputs_refused "full disk" "$space"
if [ $mode = tmpfs ] || [ "$(id -u)" != 0 ]; then
    run_case readonly-outputs
    expect_outputs_refused "read-only" 'Read-only file system|Permission denied'
fi

# Failures planted in the process (action:path end:writes let through:errno:times) under the
# removal of a package that replaced the user's own .tga and the undo of that removal: the command
# names the file and the system's reason, and leaves the GOB file, the bats folder and the history
# as they were (its own change listed rolled back at most). Imports: see the history's tests.
mkdir -p "$work/own" && echo "own shirt" >"$work/own/shirt.tga"
for planted in "remove|write:.gob:0:5:1|p.gob" "remove|write:.tga:0:5:1|shirt.tga" \
    "undo|write:.gob:1:5:1|p.gob" "undo|write:.tga:0:5:1|shirt.tga"; do
    IFS='|' read -r verb fault file <<<"$planted"
    cp "$gob" "$work/p.gob"
    rm -rf "$KESTRIX_HOME/history" "$work/bats" && cp -r "$work/own" "$work/bats"
    "$cli" apply --gob "$work/p.gob" --package "$work/tga.zip" --bats "$work/bats" --yes >/dev/null 2>&1 &&
        { [ $verb = remove ] || "$cli" remove --gob "$work/p.gob" --package tga.zip >/dev/null 2>&1; } ||
        fail "$verb $fault: the changes before it failed"
    before="$(hash "$work/p.gob") $(sha256sum "$work"/bats/*) $("$cli" history --gob "$work/p.gob" 2>/dev/null)"
    # shellcheck disable=SC2046 # the option holds no blanks
    KESTRIX_TEST_FAULT=$fault "$cli" $verb $([ $verb = undo ] || echo --package tga.zip) --gob "$work/p.gob" \
        >/dev/null 2>"$work/err"
    rc=$?
    after="$(hash "$work/p.gob") $(sha256sum "$work"/bats/*) $("$cli" history --gob "$work/p.gob" 2>/dev/null |
        grep -v $'\trolled back\t')"
    [ -n "${FAULTS_VERBOSE:-}" ] && echo "$verb $fault: exit $rc: $(cat "$work/err")"
    [ $rc = 1 ] || fail "$verb $fault: exit code $rc"
    grep -qF "$file: Input/output error" "$work/err" || fail "$verb $fault: message \"$(cat "$work/err")\""
    [ "$before" = "$after" ] || fail "$verb $fault: the GOB file, the bats folder or the history changed"
done

[ $failures = 0 ] && echo "all fault cases refused cleanly"
exit $((failures > 0))
