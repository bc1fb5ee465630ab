#!/usr/bin/env bash
# The release is the same, byte for byte, wherever and whenever it is built: makes it twice
# from this clone's commit, in two clones at paths of different names and depths, and compares
# the two SHA256SUMS. The first is made over build folders left from another day; the second
# later, in another time zone, locale and umask, seeing its clone through disorderfs, which
# lists every folder in a new order each time (where FUSE works: without it, the second sees its
# clone as the disk lists it, and says so). Both must hold every artifact, and the Windows
# program's Qt notice must name files that are in the release. On a difference, diffoscope
# (where installed) shows what differs.
#   tests/release/build_twice.sh [WORK]   WORK: a folder to keep the clones and releases in;
#                                         without it, a temporary one, kept only on failure
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$(mktemp -d)}
mkdir -p "$work"
first=$work/one/ductcalc
second=$work/second-build/nested/dc
cleanup() {
  local status=$?
  if mountpoint -q "$second"; then fusermount -u "$second"; fi
  if [ "$status" -ne 0 ]; then
    echo "build_twice: failed; the clones, releases and logs are in $work" >&2
  elif [ -z "${1:-}" ]; then
    rm -rf "$work"
  fi
}
trap 'cleanup "${1:-}"' EXIT
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "build_twice: the working tree has changes; this builds its commit" \
    "$(git -C "$root" rev-parse --short HEAD)"
fi
# A trial: where Debian's archive cannot give Qt's translation's source, the releases go without
# it (and say so) and the rest is checked.
export DUCTCALC_RELEASE_TRIAL=1
# Both builds run their Windows tools in the clone's own Wine prefix.
export DUCTCALC_WINEPREFIX=${DUCTCALC_WINEPREFIX:-$root/build-wine}

release() {  # release CLONE FOLDER
  "$1/scripts/release" "$2" >"$2.log" 2>&1 || { tail -n 30 "$2.log"; return 1; }
}
rm -rf "$work/one" "$work/second-build" "$work/disordered" "$work/folders"
git clone -q --no-hardlinks "$root" "$first"

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
# The first is made over build folders of another day, as a developer's clone holds them from an
# earlier commit.
earlier=$(($("$first/scripts/source-date-epoch") - 86400))
(export SOURCE_DATE_EPOCH=$earlier && "$first/scripts/package" && "$first/scripts/build-windows") \
  >"$work/earlier.log" 2>&1 || { tail -n 30 "$work/earlier.log"; exit 1; }
release "$first" "$work/release-one"
# Its own earlier release, with a file of the user's beside it, or with a file changed since, is
# refused too; as it was made it is replaced, the files of an earlier version it names included.
one=$work/release-one
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
release "$first" "$one"
[ ! -e "$one/ductcalc-0.9.0-win64.zip" ] || fail "a release over an earlier one kept its files"
cmp -s "$one/SHA256SUMS" "$work/first-sums" ||
  fail "a release over an earlier one differs from the first: $(diff "$work/first-sums" "$one/SHA256SUMS")"
(
  umask 077
  export TZ=Asia/Shanghai LC_ALL=zh_CN.UTF-8
  git clone -q --no-hardlinks "$root" "$work/disordered"
  mkdir -p "$second"
  clone=$second
  if ! disorderfs --multi-user=no --shuffle-dirents=yes "$work/disordered" "$second" \
    >"$work/disorderfs.log" 2>&1; then
    echo "build_twice: skipped the second build's folders listed in shuffled order: disorderfs" \
      "could not mount (no FUSE here?): $(tail -n 1 "$work/disorderfs.log")"
    clone=$work/disordered
  fi
  release "$clone" "$work/release-two"
)

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

if ! diff "$one/SHA256SUMS" "$work/release-two/SHA256SUMS"; then
  fail "the two builds differ"
  if command -v diffoscope >/dev/null; then
    for file in $(diff "$one/SHA256SUMS" "$work/release-two/SHA256SUMS" |
      sed -n 's/^< [0-9a-f]*  //p'); do
      diffoscope --text - "$one/$file" "$work/release-two/$file" | head -n 200 || true
    done
  fi
fi
if [ "$failures" -eq 0 ]; then
  echo "build_twice: the two releases are the same, $(wc -l <"$one/SHA256SUMS") files:"
  cat "$one/SHA256SUMS"
fi
exit $((failures > 0))
