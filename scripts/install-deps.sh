#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the benchmarks and the Debian package need;
# only what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config clang
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libicu-dev libpcre2-dev
  espeak-ng libespeak-ng-dev libpcaudio-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick openbox xdotool xclip x11-utils
  dbus at-spi2-core python3-pyatspi
  poppler-utils
  libreoffice-writer-nogui
  desktop-file-utils
  fonts-liberation fonts-dejavu-core
  locales
  dpkg-dev debhelper fakeroot lintian librsvg2-bin appstream man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The text-function benchmark runs `sort -f` under en_US.UTF-8, which Debian ships ungenerated.
if ! locale -a 2>/dev/null | grep -qix 'en_US\.utf-\?8'; then
  echo "Generating the en_US.UTF-8 locale"
  if ! grep -q '^en_US\.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'en_US.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${sudo[@]}" locale-gen
fi
