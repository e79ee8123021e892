#!/usr/bin/env bash
# The Debian package made of this build: its name, its fields and Depends, every file it
# holds (and nothing else), owned by root; then, unpacked into a scratch folder as it
# would lie under /usr, the level checker run from an unrelated folder finds its data.
#   package_test.sh <build folder> <repository root>
set -u
build=$1
root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

version=$("$build/vellamora" --version | awk '{ print $2 }')
arch=$(dpkg --print-architecture)
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack did not make the package"
    exit 1
fi
deb=$work/out/vellamora_${version}_${arch}.deb
if [[ ! -f "$deb" ]]; then
    echo "FAIL: no $(basename "$deb"); made:"
    ls "$work/out"
    exit 1
fi

# 1. The control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == vellamora ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version: $(field Version), the game says $version"
[[ $(field Architecture) == "$arch" ]] || fail "Architecture: $(field Architecture)"
[[ $(field Section) == games ]] || fail "Section: $(field Section)"
[[ -n $(field Maintainer) ]] || fail "no Maintainer"
[[ -n $(field Description) ]] || fail "no Description"
depends=$(field Depends)
depends_on() {
    local entry
    while read -r entry; do
        [[ $entry == "$1"* ]] && return 0
    done < <(tr ',|' '\n\n' <<<"$depends")
    return 1
}
for library in libglfw3 libglew libdevil libbullet libgl1 libpng16 libjpeg62-turbo libstdc++6 libc6; do
    depends_on "$library" || fail "Depends lacks $library: $depends"
done

# 2. The files: the two programs, the data folder as in the tree, the desktop entry, the
# icons and the manual page; nothing else, all of it root's.
dpkg-deb -c "$deb" >"$work/listing"
awk '$6 !~ /\/$/ { print substr($6, 2) }' "$work/listing" | sort >"$work/files"
{
    echo /usr/bin/vellamora
    echo /usr/bin/vellamora-levelcheck
    echo /usr/share/applications/vellamora.desktop
    echo /usr/share/man/man6/vellamora.6.gz
    (cd "$root/packaging/icons" && find . -type f | sed 's|^\.|/usr/share/icons/hicolor|')
    (cd "$root/data" && find config levels obj shader -type f 2>/dev/null | sed 's|^|/usr/share/vellamora/|')
} | sort >"$work/expected"
diff -u "$work/expected" "$work/files" >"$work/files.diff" ||
    { fail "the package's files differ from what should be installed:"; cat "$work/files.diff"; }
awk '$2 != "root/root" { print }' "$work/listing" | grep . && fail "files not owned by root (above)"
grep -q '/usr/share/icons/hicolor/48x48/apps/vellamora.png' "$work/files" || fail "no 48x48 icon"

# 3. Unpacked, from an unrelated folder: the checker finds the shipped level and its data
# by itself, and a level named from where it was started.
dpkg-deb -x "$deb" "$work/unpacked"
mkdir "$work/elsewhere"
cd "$work/elsewhere" || exit 1
checker=$work/unpacked/usr/bin/vellamora-levelcheck
report=$("$checker")
status=$?
[[ $status -eq 0 ]] || fail "levelcheck of the shipped level: status $status: $report"
[[ $(tail -n 1 <<<"$report") == "config/config.txt: 0 errors, 0 warnings" ]] ||
    fail "levelcheck of the shipped level printed: $report"
cp "$root/data/config/config.txt" mine.txt
report=$("$checker" mine.txt)
status=$?
[[ $status -eq 0 && $(tail -n 1 <<<"$report") == "$work/elsewhere/mine.txt: 0 errors, 0 warnings" ]] ||
    fail "levelcheck of a level given by path: status $status: $report"
report=$("$checker" missing.txt)
[[ $report == "$work/elsewhere/missing.txt: error: unable to open the level file (no such file or directory)" ]] ||
    fail "levelcheck of a missing level printed: $report"
[[ $("$work/unpacked/usr/bin/vellamora" --version) == "vellamora $version" ]] ||
    fail "the packaged game's --version"

# 4. The desktop entry is valid, the manual page reads without a warning.
desktop-file-validate "$work/unpacked/usr/share/applications/vellamora.desktop" ||
    fail "the desktop entry is not valid (above)"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l \
    "$work/unpacked/usr/share/man/man6/vellamora.6.gz" 2>&1 >/dev/null)
[[ -z "$warnings" ]] || fail "the manual page: $warnings"
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$work/unpacked/usr/share/man/man6/vellamora.6.gz" 2>/dev/null |
    grep -q "vellamora $version" || fail "the manual page does not give the version"

if [[ $failures -gt 0 ]]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "the package holds what it should and runs unpacked"
