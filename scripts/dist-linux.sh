#!/usr/bin/env bash
# `make dist`'s Linux part: dist/linux/ holds the program, its libraries, the shipped data
# files in data/ (the program seeds $XDG_DATA_HOME/quorvanel/ from them; the same three files
# beside the program make it portable), a .desktop file, an XDG autostart one and the icon at
# the hicolor sizes, drawn by tools/make_icon.cpp.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build/linux
OUT=$ROOT/dist/linux
rm -rf "$OUT"
mkdir -p "$OUT/data" "$OUT/autostart" "$BUILD/tools"
strip -o "$OUT/quorvanel" "$BUILD/quorvanel"
cp "$BUILD"/libquorvanel-*.so "$OUT/" # the dialogs, the StatusNotifierItem, the portals
cp "$ROOT"/data/{Lb1,svclips,prefs}.qvl "$OUT/data/"
cp "$ROOT/src/x11/resources/quorvanel.desktop" "$OUT/"
cp "$ROOT/src/x11/resources/quorvanel-autostart.desktop" "$OUT/autostart/quorvanel.desktop"
g++ -std=c++20 -O1 -Wall -Wextra -Werror -o "$BUILD/tools/make_icon" "$ROOT/tools/make_icon.cpp"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$OUT/icons/hicolor/${size}x${size}/apps"
  "$BUILD/tools/make_icon" --png "$size" "$OUT/icons/hicolor/${size}x${size}/apps/quorvanel.png"
done
echo "dist/linux/: $(cd "$OUT" && find . -type f | sort | sed 's|^\./||' | tr '\n' ' ')"
