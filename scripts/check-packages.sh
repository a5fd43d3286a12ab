#!/usr/bin/env bash
# Checks the two Debian packages that `make package` left in the given build folder as a user
# would meet them: lintian finds no error or warning, the unpacked files hold both programs, a
# valid desktop file and metainfo, the icon and both manual pages, the command-line package
# names no Qt library, and the unpacked aethrian-cli runs on the examples.
set -euo pipefail
build="${1:-build-release}"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
app_id=io.github.aethrian.ScriptEditor

shopt -s nullglob
cli_debs=("$build"/aethrian-cli_*.deb)
editor_debs=("$build"/aethrian-editor_*.deb)
if [ ${#cli_debs[@]} -ne 1 ] || [ ${#editor_debs[@]} -ne 1 ]; then
  echo "expected one aethrian-cli and one aethrian-editor package in $build" >&2
  exit 1
fi
cli_deb="${cli_debs[0]}"
editor_deb="${editor_debs[0]}"

lintian --fail-on error,warning "$cli_deb" "$editor_deb"

if dpkg-deb -f "$cli_deb" Depends | grep -qi 'qt'; then
  echo "aethrian-cli depends on Qt: $(dpkg-deb -f "$cli_deb" Depends)" >&2
  exit 1
fi
version=$(dpkg-deb -f "$cli_deb" Version)
if ! dpkg-deb -f "$editor_deb" Depends | grep -qF "aethrian-cli (= $version)"; then
  echo "aethrian-editor does not depend on aethrian-cli (= $version)" >&2
  exit 1
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$cli_deb" "$root"
dpkg-deb -x "$editor_deb" "$root"
for f in usr/bin/aethrian-cli usr/bin/aethrian-editor \
         usr/share/applications/$app_id.desktop usr/share/metainfo/$app_id.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/$app_id.svg \
         usr/share/man/man1/aethrian-cli.1.gz usr/share/man/man1/aethrian-editor.1.gz \
         usr/share/doc/aethrian-cli/copyright usr/share/doc/aethrian-editor/copyright; do
  [ -e "$root/$f" ] || { echo "missing from the packages: /$f" >&2; exit 1; }
done
desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"

"$root/usr/bin/aethrian-cli" --version
"$root/usr/bin/aethrian-cli" check items-exist "$source_dir/examples/npcdata.txt" \
  "$source_dir/examples/itemdata.txt"
echo "packages checked: $cli_deb $editor_deb"
