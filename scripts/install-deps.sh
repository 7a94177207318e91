#!/usr/bin/env bash
# Installs the Debian packages Ordlen needs to build, test and run.
# Only missing packages are installed; nothing else on the machine is touched.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang-format
  # Qt 6.4 and the QML modules the app and its tests import
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools qt6-svg-dev
  libqt6svg6 qt6-qpa-plugins
  qml6-module-qtqml qml6-module-qtqml-models qml6-module-qtqml-workerscript
  qml6-module-qtquick qml6-module-qtquick-window qml6-module-qtquick-layouts
  qml6-module-qtquick-controls qml6-module-qtquick-templates qml6-module-qtquick-shapes
  qml6-module-qt5compat-graphicaleffects qml6-module-qttest
  # storage and benchmarks
  libsqlite3-dev sqlite3 libbenchmark-dev
  libfuzzer-14-dev # make fuzz; brings clang-14
  # fonts for offscreen rendering
  fonts-dejavu-core
  # end-to-end harness: a real X server, a tray host, input and screenshots
  xvfb trayer xdotool x11-utils imagemagick procps python3
  # the tray shell asks the X server whether a compositor runs
  libxcb1-dev
  # trays on D-Bus: a private session bus, a StatusNotifierItem tray in Python, its calls
  dbus-daemon python3-gi libglib2.0-bin
  # Wayland: Qt's client and a headless compositor
  qt6-wayland weston
  # the capture shortcut looks its key up in the keyboard map
  libxcb-keysyms1-dev x11proto-dev
  # install and package: icon rendering, desktop entry and metainfo checks, the .deb
  librsvg2-bin desktop-file-utils appstream man-db dpkg-dev fakeroot lintian
  # the accessibility check reads the panel over AT-SPI on a private session bus
  python3-pyatspi at-spi2-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
