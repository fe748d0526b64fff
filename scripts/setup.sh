#!/usr/bin/env bash
# Installs what Quendelstrand needs on Debian 12 (run as root) and builds it.
#   scripts/setup.sh            build the program into build/app
#   scripts/setup.sh --tests    also what the test suite and the checks need
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config
  libsdl2-dev libsdl2-mixer-dev libpng-dev libjpeg62-turbo-dev libgif-dev
  libfreetype-dev libfontconfig-dev libcairo2-dev libcups2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-liberation2 fonts-dejavu-core fonts-urw-base35
  fonts-sil-andika fonts-sil-andikanewbasic)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(xvfb xauth xdotool x11-xkb-utils locales imagemagick
    cups cups-bsd cups-filters printer-driver-cups-pdf poppler-utils gdk-pixbuf-tests
    clang-format python3)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQS_WERROR=ON
make -C build -j"$(nproc)"
