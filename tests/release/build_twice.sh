#!/usr/bin/env bash
# The release is the same, byte for byte, wherever and whenever it is built, and the Windows
# program rebuilds from it as its Qt notice says. Makes the release of this clone's commit here,
# over the build folders the tests left (scripts/test builds them as of a day before the
# commit); then again over that release, in another time zone, locale and umask; then once more
# from the release's own source archive, unpacked at a path of other names and depths and seen
# through disorderfs, which lists every folder in a new order each time (where FUSE works),
# against the Qt copied into a folder of the user's with no Qt cache to fall back on, as the
# notice's relink goes. Each must give the first's files. Also: folders that hold others' files
# are refused untouched, a release over an earlier one replaces that one's files, the notice
# names what the release holds, and the Windows build configures against a Qt as
# cmake/build-qt-windows.sh alone leaves it. On a difference, diffoscope (where installed) shows
# what differs.
#   tests/release/build_twice.sh [WORK]   WORK: a folder to keep the releases in; without it, a
#                                         temporary one, kept only on failure
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$(mktemp -d)}
mkdir -p "$work"
work=$(realpath "$work")
second=$work/second-build/nested/dc
cleanup() {
  local status=$?
  if mountpoint -q "$second"; then fusermount -u "$second"; fi
  if [ "$status" -ne 0 ]; then
    echo "build_twice: failed; the releases and logs are in $work" >&2
  elif [ -z "${1:-}" ]; then
    rm -rf "$work"
  fi
}
trap 'cleanup "${1:-}"' EXIT
# A trial: where Debian's archive cannot give Qt's translation's source, the releases go without
# it (and say so) and the rest is checked.
export DUCTCALC_RELEASE_TRIAL=1
# Every build runs its Windows tools in this clone's Wine prefix.
export DUCTCALC_WINEPREFIX=${DUCTCALC_WINEPREFIX:-$root/build-wine}

# The first release is made in this clone, over its build folders; a clone with changes is
# cloned again at its commit, which has no build folders.
first=$root
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "build_twice: the working tree has changes; this builds its commit" \
    "$(git -C "$root" rev-parse --short HEAD) in a clone of its own"
  first=$work/one/ductcalc
  rm -rf "$work/one"
  git clone -q --no-hardlinks "$root" "$first"
fi
release() {  # release SCRIPTS-FOLDER FOLDER
  "$1/scripts/release" "$2" >"$2.log" 2>&1 || { tail -n 30 "$2.log"; return 1; }
}
rm -rf "$work/release-one" "$work/release-two" "$work/second-build" "$work/unpacked" \
  "$work/folders" "$work/qt"

failures=0
fail() {
  echo "build_twice: $*"
  failures=$((failures + 1))
}
# refused WHAT FOLDER: the release refuses FOLDER, before building anything, and leaves every
# byte of it as it was.
listing() { (cd "$1" && find . -printf '%p %y %s\n' | LC_ALL=C sort && find . -type f -exec sha256sum {} + | LC_ALL=C sort); }
refused() {
  local before
  before=$(listing "$2")
  if "$first/scripts/release" "$2" >"$2.log" 2>&1; then
    fail "$1: the release took the folder"
  elif ! grep -q '^release: .*name a new or empty folder' "$2.log"; then
    fail "$1: the release failed otherwise: $(tail -n 3 "$2.log")"
  fi
  [ "$(listing "$2")" = "$before" ] || fail "$1: the folder changed"
}
# Folders of others: another project's checksums among downloads; a SHA256SUMS naming every file
# there, but of no ductcalc release.
mkdir -p "$work/folders/downloads" "$work/folders/other-release"
echo "another project" >"$work/folders/downloads/other-1.0.tar.gz"
(cd "$work/folders/downloads" && sha256sum other-1.0.tar.gz >SHA256SUMS)
echo "a letter" >"$work/folders/downloads/letter.txt"
refused "another project's SHA256SUMS and a file of the user's" "$work/folders/downloads"
echo "not ductcalc" >"$work/folders/other-release/other-buildinfo.txt"
(cd "$work/folders/other-release" && sha256sum other-buildinfo.txt >SHA256SUMS)
refused "a SHA256SUMS of no ductcalc release" "$work/folders/other-release"

one=$work/release-one
release "$first" "$one"
# Its own earlier release, with a file of the user's beside it, or with a file changed since, is
# refused too; as it was made it is replaced, the files of an earlier version it names included,
# and the same in another time zone, locale and umask.
cp -al "$one" "$work/folders/with-stray"
echo "notes" >"$work/folders/with-stray/notes.txt"
refused "a release with a file of the user's beside it" "$work/folders/with-stray"
cp -al "$one" "$work/folders/changed"
rm "$work/folders/changed/mingw-w64-x86_64.cmake"  # linked: written anew, not changed in place
echo "# changed" >"$work/folders/changed/mingw-w64-x86_64.cmake"
refused "a release whose files changed since" "$work/folders/changed"
cp "$one/SHA256SUMS" "$work/first-sums"
echo "an earlier version" >"$one/ductcalc-0.9.0-win64.zip"
(cd "$one" && sha256sum ductcalc-0.9.0-win64.zip >>SHA256SUMS)
(umask 077 && export TZ=Asia/Shanghai LC_ALL=zh_CN.UTF-8 && release "$first" "$one")
[ ! -e "$one/ductcalc-0.9.0-win64.zip" ] || fail "a release over an earlier one kept its files"
cmp -s "$one/SHA256SUMS" "$work/first-sums" ||
  fail "a release over an earlier one differs from the first: $(diff "$work/first-sums" "$one/SHA256SUMS")"

version=$(sed -n 's/^project(ductcalc VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
for name in "ductcalc_${version}_$(dpkg --print-architecture).deb" "ductcalc-$version-win64.zip" \
  "ductcalc-$version-setup.exe" "ductcalc-$version-source.tar.gz" \
  "ductcalc-$version-buildinfo.txt" build-qt-windows.sh mingw-w64-x86_64.cmake; do
  grep -qF "  $name" "$one/SHA256SUMS" || fail "the release lacks $name"
done
(cd "$one" && sha256sum --quiet -c SHA256SUMS) ||
  fail "SHA256SUMS does not match the release's files"
# The notice names Qt's source package as the release holds it: the .dsc and the files it names.
notice=$(unzip -p "$one/ductcalc-$version-win64.zip" \
  "ductcalc-$version-win64/licences/qt/qt-source.txt")
dsc=$(grep -o 'qt6-base_[^ ]*\.dsc' <<<"$notice" | head -n 1)
if [ -z "$dsc" ] || [ ! -f "$one/$dsc" ]; then
  fail "the Qt notice names no .dsc of the release (${dsc:-none})"
else
  for file in $(sed -n '/^Checksums-Sha256:/,/^[^ ]/s/^ [0-9a-f]* [0-9]* //p' "$one/$dsc"); do
    [ -f "$one/$file" ] || fail "the release lacks $file, which $dsc names"
    grep -qF "$file" <<<"$notice" || fail "the Qt notice does not name $file"
  done
fi
# And the source package of Qt's translation in the program, by its .dsc; a trial release goes
# without it where Debian's archive does not give it, and says so.
translation_dsc=$(grep -o 'qt6-translations_[^ ]*\.dsc' <<<"$notice" | head -n 1)
if [ -z "$translation_dsc" ]; then
  fail "the Qt notice names no .dsc of Qt's translation"
elif [ ! -f "$one/$translation_dsc" ] && grep -q "NOT TO BE PUBLISHED" "$one.log"; then
  echo "build_twice: the archive here gives no $translation_dsc: the release was a trial without it"
elif [ ! -f "$one/$translation_dsc" ]; then
  fail "the release lacks $translation_dsc, which the Qt notice names"
else
  for file in $(sed -n '/^Checksums-Sha256:/,/^[^ ]/s/^ [0-9a-f]* [0-9]* //p' "$one/$translation_dsc"); do
    [ -f "$one/$file" ] || fail "the release lacks $file, which $translation_dsc names"
  done
fi
grep -qF "ductcalc-$version-source.tar.gz" <<<"$notice" ||
  fail "the Qt notice does not name the source archive"

# The release again from its source archive, which makes everything but that archive, against a
# copy of the cached Qt in a folder of the user's (linked: nothing writes into it; the same name,
# which the buildinfo gives).
qt=$("$root/scripts/windows-qt")
own_qt=$work/qt/mine/$(basename "$qt")
mkdir -p "$(dirname "$own_qt")" "$work/unpacked"
cp -al "$qt" "$own_qt" 2>/dev/null || cp -a "$qt" "$own_qt"
tar -xf "$one/ductcalc-$version-source.tar.gz" -C "$work/unpacked"
source_tree=$work/unpacked/ductcalc-$version
mkdir -p "$second"
tree=$second
if ! disorderfs --multi-user=no --shuffle-dirents=yes "$source_tree" "$second" \
  >"$work/disorderfs.log" 2>&1; then
  echo "build_twice: the second build sees its folders as the disk lists them: disorderfs" \
    "could not mount (no FUSE here?): $(tail -n 1 "$work/disorderfs.log")"
  tree=$source_tree
fi
(
  umask 077
  export TZ=Asia/Shanghai LC_ALL=zh_CN.UTF-8 DUCTCALC_WINDOWS_QT=$own_qt
  export DUCTCALC_QT_CACHE=/dev/null/no-cache  # any use of the cache fails
  release "$tree" "$work/release-two"
)
grep -q "^Qt6_DIR:PATH=$own_qt/" "$source_tree/build-windows/CMakeCache.txt" ||
  fail "the second build found another Qt: $(grep '^Qt6_DIR:' "$source_tree/build-windows/CMakeCache.txt")"
if ! diff <(grep -vF "  ductcalc-$version-source.tar.gz" "$one/SHA256SUMS") \
  "$work/release-two/SHA256SUMS"; then
  fail "the release made from its source archive differs from the first"
  if command -v diffoscope >/dev/null; then
    for file in $(diff "$one/SHA256SUMS" "$work/release-two/SHA256SUMS" |
      sed -n 's/^< [0-9a-f]*  //p'); do
      [ -f "$work/release-two/$file" ] || continue
      diffoscope --text - "$one/$file" "$work/release-two/$file" | head -n 200 || true
    done
  fi
fi

# A Qt that cmake/build-qt-windows.sh alone made, without what scripts/windows-qt adds (its
# source package and the record of its tools), is one the Windows build takes: its notice then
# names Qt's source package by its version.
bare_qt=$work/qt/bare/$(basename "$qt")
mkdir -p "$(dirname "$bare_qt")"
cp -al "$qt" "$bare_qt" 2>/dev/null || cp -a "$qt" "$bare_qt"
rm -rf "$bare_qt/source" "$bare_qt/built-with.txt" "$bare_qt/.complete"
if ! (cd "$source_tree" && DUCTCALC_WINDOWS_QT=$bare_qt DUCTCALC_QT_CACHE=/dev/null/no-cache \
  bash -c 'source scripts/windows-env && windows_configure build-bare-qt') >"$work/bare-qt.log" 2>&1; then
  tail -n 20 "$work/bare-qt.log"
  fail "the Windows build does not configure against a Qt without its source package"
elif ! grep -qF "qt6-base_<version>.dsc" "$source_tree/build-bare-qt/licences/qt-source.txt"; then
  fail "the notice of a build against a Qt without its source package names none"
fi

if [ "$failures" -eq 0 ]; then
  echo "build_twice: the three releases are the same, $(wc -l <"$one/SHA256SUMS") files" \
    "(the one from its source archive without that archive):"
  cat "$one/SHA256SUMS"
fi
exit $((failures > 0))
