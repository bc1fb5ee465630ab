#!/usr/bin/env bash
# The commands that build the Qt in ductcalc.exe: a static Qt for 64-bit Windows, cross-built with
# Debian 12's mingw-w64 from Debian's qt6-base source package, installed with its licences into a
# folder of your choice. scripts/windows-qt runs them into its cache; a release ships this file
# beside the toolchain file it uses, so that anyone can build the same Qt, or one they have
# changed, and relink the program against it (licences/qt/qt-source.txt in the program's folder).
#
#   bash build-qt-windows.sh unpack QT6-BASE.DSC SOURCE   Qt's source into the new folder SOURCE,
#                                                         with Debian's security fixes applied
#   bash build-qt-windows.sh install SOURCE PREFIX        builds SOURCE (in SOURCE/build) and
#                                                         installs it into PREFIX, licences too
#
# Needs Debian 12 with qt6-base-dev and qt6-base-dev-tools of the source's version (Qt's tools
# for the build machine), g++-mingw-w64-x86-64-posix, cmake, ninja-build and dpkg-dev, and
# mingw-w64-x86_64.cmake beside this file. (How long it takes: docs/development.md.)
#
# Only what the calculator and its tests need is built: Core, Gui, Widgets, Test, the windows and
# offscreen platforms and the Windows styles, as static libraries optimised for size, with Qt's
# bundled zlib, libpng, pcre2, FreeType, HarfBuzz and double-conversion, so that the program
# links into one .exe. (-Os took a third off the program; link-time optimisation does not link
# here: Qt compiles MinGW objects in the big-object format, whose LTO objects this binutils cannot
# index in an archive.) The same source and tools give the same Qt in any folder: it finds its
# prefix beside the program (relocatable) instead of keeping the build machine's, the toolchain
# file maps the build folders out of what the compiler writes, and resources carry the date of
# the source package's last changelog entry.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

options=(
  -G Ninja -DCMAKE_BUILD_TYPE=Release
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON -DFEATURE_optimize_size=ON
  -DFEATURE_relocatable=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DFEATURE_pkg_config=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF
  -DFEATURE_xml=OFF -DINPUT_opengl=no -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_directwrite3=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
  -DFEATURE_sql_sqlite=OFF
  # Parts of Qt the calculator never reaches, left out for size: they change nothing it does.
  -DFEATURE_graphicsview=OFF -DFEATURE_graphicseffect=OFF -DFEATURE_filedialog=OFF
  -DFEATURE_fontdialog=OFF -DFEATURE_colordialog=OFF -DFEATURE_wizard=OFF
  -DFEATURE_progressdialog=OFF -DFEATURE_errormessage=OFF
  -DFEATURE_completer=OFF -DFEATURE_fscompleter=OFF -DFEATURE_calendarwidget=OFF
  -DFEATURE_datetimeedit=OFF -DFEATURE_mdiarea=OFF -DFEATURE_dockwidget=OFF
  -DFEATURE_toolbox=OFF -DFEATURE_undoview=OFF -DFEATURE_undocommand=OFF -DFEATURE_undostack=OFF
  -DFEATURE_undogroup=OFF -DFEATURE_keysequenceedit=OFF -DFEATURE_columnview=OFF
  -DFEATURE_datawidgetmapper=OFF -DFEATURE_textbrowser=OFF -DFEATURE_syntaxhighlighter=OFF
  -DFEATURE_splashscreen=OFF -DFEATURE_lcdnumber=OFF -DFEATURE_dial=OFF -DFEATURE_fontcombobox=OFF
  -DFEATURE_commandlinkbutton=OFF -DFEATURE_systemtrayicon=OFF -DFEATURE_style_stylesheet=OFF
  -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_pdf=OFF -DFEATURE_movie=OFF -DFEATURE_picture=OFF -DFEATURE_imageformat_ppm=OFF
  -DFEATURE_imageformat_xbm=OFF -DFEATURE_mimetype_database=OFF -DFEATURE_jalalicalendar=OFF
  -DFEATURE_hijricalendar=OFF -DFEATURE_islamiccivilcalendar=OFF -DFEATURE_sha3_fast=OFF
)

case ${1:-} in
  unpack)
    [ $# -eq 3 ] || { echo "usage: build-qt-windows.sh unpack QT6-BASE.DSC SOURCE" >&2; exit 2; }
    # The source the Debian package was built from, without Debian's Linux packaging patches.
    dpkg-source --skip-patches -x "$2" "$3"
    cd "$3"
    grep -E '^cve-' debian/patches/series | while read -r fix; do
      patch -p1 <"debian/patches/$fix"
    done
    ;;
  install)
    [ $# -eq 3 ] || { echo "usage: build-qt-windows.sh install SOURCE PREFIX" >&2; exit 2; }
    prefix=$(realpath -m "$3")
    cd "$2"
    SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l debian/changelog -S Timestamp)
    export SOURCE_DATE_EPOCH
    cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" \
      -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}"
    cmake --build build --parallel "$(nproc)"
    cmake --install build
    # What a program linked with this Qt must carry beside it: Qt's licences and those of the
    # code it bundles.
    licences="$prefix/licences"
    mkdir -p "$licences/bundled"
    cp LICENSES/LGPL-3.0-only.txt LICENSES/GPL-3.0-only.txt "$licences/"
    for part in zlib libpng pcre2 freetype harfbuzz-ng double-conversion md4c tinycbor easing \
      blake2 sha3 rfc6234 icc; do
      for file in src/3rdparty/$part/{LICENSE,LICENSE.txt,LICENSE.md,LICENCE,COPYING,CC0_LICENSE,BRG_ENDIAN_LICENSE,docs/FTL.TXT}; do
        if [ -f "$file" ]; then
          cp "$file" "$licences/bundled/$part-$(basename "$file")"
        fi
      done
    done
    ;;
  *)
    echo "usage: build-qt-windows.sh unpack QT6-BASE.DSC SOURCE | install SOURCE PREFIX" >&2
    exit 2
    ;;
esac
