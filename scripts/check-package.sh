#!/usr/bin/env bash
# The Debian package of build-deb/ as a user meets it (after make deb): lintian and
# the AppStream validator find nothing to complain of, apt-get installs it, the installed program
# starts (--version, and a window that opens a file), and apt-get remove leaves nothing of ours in
# /usr.
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(dpkg-parsechangelog -SVersion)
deb=build-deb/tabrix-pro_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb
fail() { echo "check-package: $*" >&2; exit 1; }
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi

echo "== lintian $deb"
lintian --fail-on error,warning --display-info "$deb"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net data/example.tabrix.TabrixPro.metainfo.xml

echo "== apt-get install ./$deb"
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "./$deb"
files=$(mktemp)
trap 'rm -f "$files"' EXIT
dpkg -L tabrix-pro > "$files"

tabrix-pro --version
tabrix-cli --version
styles=$(tabrix-cli styles)
echo "$styles"
grep -q '^/usr/share/tabrix-pro/Night\.style$' <<<"$styles" || fail "the shipped styles are not found"
desktop-file-validate /usr/share/applications/tabrix-pro.desktop
appstreamcli validate --no-net /usr/share/metainfo/example.tabrix.TabrixPro.metainfo.xml
for page in tabrix-pro tabrix-cli; do
  [ "$(man -w "$page")" = "/usr/share/man/man1/$page.1.gz" ] || fail "man does not find $page"
  MANWIDTH=80 man --warnings "$page" >/dev/null
done
bash scripts/smoke-window.sh /usr/bin/tabrix-pro

echo "== apt-get remove tabrix-pro"
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -q tabrix-pro
left=()
while IFS= read -r path; do
  if [ -e "$path" ] && [ ! -d "$path" ]; then left+=("$path"); fi
done < "$files"
for path in /usr/share/tabrix-pro /usr/bin/tabrix-pro /usr/bin/tabrix-cli; do
  if [ -e "$path" ]; then left+=("$path"); fi
done
if grep -qs 'tabrix-pro\.desktop' /usr/share/applications/mimeinfo.cache; then
  left+=("/usr/share/applications/mimeinfo.cache naming tabrix-pro.desktop")
fi
[ ${#left[@]} -eq 0 ] || fail "left in /usr after the removal: ${left[*]}"
echo "check-package: installed, started and removed; nothing of ours is left in /usr"
