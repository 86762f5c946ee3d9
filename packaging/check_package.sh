#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a built .deb as a distribution would: lintian without errors or
# warnings, the files a desktop needs in place, the metadata valid, and the
# packaged program answering --version.
#
#   packaging/check_package.sh qintara_1.5-1_amd64.deb
set -euo pipefail
deb=$1
id=example.vorlane.Qintara
version=$(dpkg-deb --field "$deb" Version)

lintian --fail-on error,warning --info "$deb"

expected=(
  ./usr/bin/qintara
  ./usr/share/applications/$id.desktop
  ./usr/share/metainfo/$id.metainfo.xml
  ./usr/share/man/man1/qintara.1.gz
  ./usr/share/doc/qintara/copyright
  ./usr/share/doc/qintara/changelog.Debian.gz
)
for size in 16 24 32 48 64 128 256; do expected+=(./usr/share/icons/hicolor/${size}x$size/apps/$id.png); done
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
missing=0
for path in "${expected[@]}"; do
  if ! grep -qxF "$path" <<<"$contents"; then
    echo "missing from $deb: $path" >&2
    missing=1
  fi
done
[ $missing -eq 0 ]

unpacked=$(mktemp -d /tmp/qintara-deb.XXXXXX)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/$id.metainfo.xml"
desktop-file-validate "$unpacked/usr/share/applications/$id.desktop"
answer=$(env -u DISPLAY -u WAYLAND_DISPLAY "$unpacked/usr/bin/qintara" --version)
if [ "$answer" != "qintara ${version%-*}" ]; then
  echo "the packaged program answers --version with '$answer'" >&2
  exit 1
fi
echo "$deb: lintian clean, complete, metadata valid, answers '$answer'"
