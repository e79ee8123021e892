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
[[ $actual == "$missing: error: unable to open the level file" ]] ||
    fail "$missing: printed '$actual'"

[[ $failures -eq 0 ]] && echo "levelcheck: all reports as expected"
exit $((failures > 0))
