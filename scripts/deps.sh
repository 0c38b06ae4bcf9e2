#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Quiet and quick when they are
# all present; otherwise one `apt-get update` and one install, without questions.
set -euo pipefail

packages=(
  make cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev clang-format
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64
  wine64
  libx11-dev libxtst-dev libxft-dev libxrandr-dev libfontconfig-dev l3afpad
  xvfb xauth openbox xdotool trayer x11-utils
  imagemagick xclip
  xterm x11-xkb-utils
  procps util-linux
  libgtk-3-dev libdbus-1-dev
  dbus-daemon libglib2.0-bin haskell-status-notifier-item-utils haskell-gtk-sni-tray-utils
  libwayland-dev libwayland-bin wayland-protocols libxkbcommon-dev libfreetype-dev
  sway wl-clipboard grim python3-gi gir1.2-gtk-3.0 python3-dbus gir1.2-glib-2.0
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
((${#missing[@]} == 0)) && exit 0

echo "Installing: ${missing[*]}"
sudo=()
((EUID == 0)) || sudo=(sudo)
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq </dev/null
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o Dpkg::Use-Pty=0 "${missing[@]}" </dev/null >/tmp/qv-apt.log 2>&1 ||
  { tail -n 40 /tmp/qv-apt.log >&2; exit 1; }
echo "Installed ${#missing[@]} package(s)."
