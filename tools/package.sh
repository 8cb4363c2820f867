#!/usr/bin/env bash
# Builds the Debian package staffelplan_<version>_<arch>.deb into build-package/
# and lists its contents. Install it with: apt-get install ./build-package/staffelplan_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ $(id -u) == 0 ]]; then
  tools/install-deps.sh
fi
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DSTAFFEL_BUILD_TESTS=OFF
cmake --build build-package -j "$(nproc)"
rm -f build-package/staffelplan_*.deb
(cd build-package && cpack -G DEB)
deb=$(ls build-package/staffelplan_*.deb)
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"
echo "$deb"
