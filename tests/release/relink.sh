#!/usr/bin/env bash
# The relink that the Windows program's Qt notice describes, as a user follows it from a release:
# the calculator built from the release's source archive against a Qt as cmake/build-qt-windows.sh
# leaves it in a folder of the user's (here the cached Qt, copied without what scripts/windows-qt
# adds to it: the source package and the record of its tools), with no Qt cache to fall back on.
# The Qt being the same, ductcalc.exe must be the release's, byte for byte; and the folder it
# ships in must hold Qt's licences and the notice.
#   tests/release/relink.sh RELEASE [WORK]   RELEASE: a folder scripts/release made from this
#                                            clone's commit; WORK: a folder to work in, kept
#                                            (without it, a temporary one, kept only on failure)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
release=$(cd "$1" && pwd)
work=${2:-$(mktemp -d)}
mkdir -p "$work"
work=$(realpath "$work")
cleanup() {
  local status=$?
  if [ "$status" -ne 0 ]; then
    echo "relink: failed; its folders and log are in $work" >&2
  elif [ -z "${1:-}" ]; then
    rm -rf "$work"
  fi
}
trap 'cleanup "${2:-}"' EXIT
fail() {
  echo "relink: $*" >&2
  exit 1
}

version=$(sed -n 's/^project(ductcalc VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
qt=$("$root/scripts/windows-qt")
own_qt=$work/my-qt
rm -rf "$own_qt" "$work/ductcalc-$version"
cp -al "$qt" "$own_qt" 2>/dev/null || cp -a "$qt" "$own_qt"  # linked: nothing writes into it
rm -rf "$own_qt/source" "$own_qt/built-with.txt" "$own_qt/.complete"
tar -xf "$release/ductcalc-$version-source.tar.gz" -C "$work"
# As the notice has it, in the unpacked source: DUCTCALC_WINDOWS_QT=../my-qt scripts/build-windows.
# A Qt cache that cannot exist makes any use of the cached Qt fail.
if ! (cd "$work/ductcalc-$version" && DUCTCALC_WINDOWS_QT=../my-qt \
  DUCTCALC_QT_CACHE=/dev/null/no-cache scripts/build-windows) >"$work/relink.log" 2>&1; then
  tail -n 30 "$work/relink.log"
  fail "the build failed"
fi

built=$work/ductcalc-$version/build-windows
grep -q "^Qt6_DIR:PATH=$own_qt/" "$built/CMakeCache.txt" ||
  fail "the build found another Qt: $(grep '^Qt6_DIR:' "$built/CMakeCache.txt")"
folder=$built/ductcalc-$version-win64
unzip -p "$release/ductcalc-$version-win64.zip" "ductcalc-$version-win64/ductcalc.exe" |
  cmp -s - "$folder/ductcalc.exe" ||
  fail "ductcalc.exe linked against the same Qt is not the release's"
for file in licences/qt/LGPL-3.0-only.txt licences/qt/GPL-3.0-only.txt licences/qt/qt-source.txt \
  licences/qt/build-qt-windows.sh; do
  [ -s "$folder/$file" ] || fail "the program's folder lacks $file"
done
[ -f "$built/ductcalc-$version-setup.exe" ] || fail "no installer was made"
echo "relink: ductcalc.exe built from the release's source against a Qt in a folder of its own" \
  "is the release's, byte for byte"
