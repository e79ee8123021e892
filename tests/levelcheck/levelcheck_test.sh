#!/usr/bin/env bash
# The level checker on broken levels: every line it prints, word for word, and an exit
# status that follows its summary (1 with errors, 0 with warnings only).
#   levelcheck_test.sh <levelcheck> <repository root>
set -u
checker=$(realpath "$1")
root=$2
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Levels name their files from the game's working directory.
cd "$root/data" || exit 1
for expected in ../tests/data/levelcheck/*.expected; do
    level=${expected%.expected}.txt
    actual=$("$checker" "$level")
    status=$?
    if ! diff -u "$expected" <(printf '%s\n' "$actual"); then
        fail "$level: the report differs (above)"
    fi
    want=1
    [[ $(tail -n 1 "$expected") == *": 0 errors,"* ]] && want=0
    [[ $status -eq $want ]] || fail "$level: exit status $status, expected $want"
done

missing=../tests/data/levelcheck/no-such-level.txt
actual=$("$checker" "$missing")
status=$?
[[ $status -eq 1 ]] || fail "$missing: exit status $status, expected 1"
[[ $actual == "$missing: error: unable to open the level file (no such file or directory)" ]] ||
    fail "$missing: printed '$actual'"

# What is not a regular file is refused at once, as the game refuses it: a FIFO nobody
# writes to (named as the level and as each file of a record), /dev/zero and a folder.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkfifo "$scratch/pipe"
actual=$(timeout 20 "$checker" "$scratch/pipe")
status=$?
[[ $status -eq 1 ]] || fail "a FIFO as the level: exit status $status, expected 1"
[[ $actual == "$scratch/pipe: error: unable to open the level file (a named pipe, not a file)" ]] ||
    fail "a FIFO as the level: printed '$actual'"
printf '#Box\nstatic 0\n%s\n%s\n%s\nu\nu\nu\nu\n' "$scratch/pipe" /dev/zero "$scratch" \
    >"$scratch/level.txt"
actual=$(timeout 20 "$checker" "$scratch/level.txt")
status=$?
[[ $status -eq 1 ]] || fail "FIFO, device and folder as files: exit status $status, expected 1"
for expected in \
    "$scratch/level.txt:3: error: mesh file \"$scratch/pipe\" cannot be opened: a named pipe, not a file" \
    "$scratch/level.txt:4: error: material file \"/dev/zero\" cannot be opened: a character device, not a file" \
    "$scratch/level.txt:5: error: texture file \"$scratch\" cannot be opened: a directory, not a file"; do
    grep -qxF "$expected" <<<"$actual" || fail "missing the line '$expected' in: $actual"
done

[[ $failures -eq 0 ]] && echo "levelcheck: all reports as expected"
exit $((failures > 0))
