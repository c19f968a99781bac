#!/usr/bin/env bash
# Builds the Debian package without its tests: make deb. dpkg-buildpackage writes the package
# into the folder above the source tree; it is moved from there into build-deb/, with the
# .buildinfo and .changes of the same build.
set -euo pipefail
cd "$(dirname "$0")/.."
# dh gives the build a HOME of its own; ccache, where there is one, keeps the developer's cache.
if command -v ccache >/dev/null; then
  export CCACHE_DIR=${CCACHE_DIR:-$(ccache -k cache_dir)}
  config=${XDG_CONFIG_HOME:-$HOME/.config}/ccache/ccache.conf
  if [ -f "$config" ]; then export CCACHE_CONFIGPATH=${CCACHE_CONFIGPATH:-$config}; fi
fi
# nocheck: no tests; noautodbgsym: no debug-symbols package, whose compression alone takes
# minutes.
export DEB_BUILD_OPTIONS="nocheck noautodbgsym ${DEB_BUILD_OPTIONS:-}"
export DEB_BUILD_PROFILES="nocheck ${DEB_BUILD_PROFILES:-}"
dpkg-buildpackage -us -uc -b -tc -j"${JOBS:-$(nproc)}"

version=$(dpkg-parsechangelog -SVersion)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
mkdir -p build-deb
for file in "tabrix-pro_${version}_${arch}.deb" "tabrix-pro_${version}_${arch}.buildinfo" \
            "tabrix-pro_${version}_${arch}.changes"; do
  if [ -e "../$file" ]; then mv -f "../$file" build-deb/; fi
done
echo "build-deb/tabrix-pro_${version}_${arch}.deb"
