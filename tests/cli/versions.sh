#!/usr/bin/env bash
# Every place that tells the version agrees with project(): the two programs' --version, the
# top entry of the Debian changelog and the newest release of the AppStream metainfo (the last
# two are written by hand, so a version bump that forgets them fails here).
# Arguments: the project version, the source folder. $AETHRIAN_CLI and, when the editor is
# built, $AETHRIAN_EDITOR name the binaries.
set -u
version="$1"
source_dir="$2"
fail=0

expect() { # what, actual, expected
  if [ "$2" != "$3" ]; then
    echo "$1: got '$2', expected '$3'"
    fail=1
  fi
}

out=$("${AETHRIAN_CLI:?}" --version); rc=$?
expect "aethrian-cli --version" "$out (exit $rc)" "aethrian-cli $version (exit 0)"
# The divider option may come first, as before any command.
out=$("$AETHRIAN_CLI" --divider . --version); rc=$?
expect "aethrian-cli --divider . --version" "$out (exit $rc)" "aethrian-cli $version (exit 0)"

if [ -n "${AETHRIAN_EDITOR:-}" ]; then
  # No display is set: --version and --help must answer before the window system is needed.
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$AETHRIAN_EDITOR" --version); rc=$?
  expect "aethrian-editor --version" "$out (exit $rc)" "aethrian-editor $version (exit 0)"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$AETHRIAN_EDITOR" --help); rc=$?
  expect "aethrian-editor --help" "$(head -n 1 <<<"$out") (exit $rc)" \
    "Usage: aethrian-editor [--help] [--version] [FILE...] (exit 0)"
fi

changelog=$(sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p' "$source_dir/packaging/debian/changelog")
expect "packaging/debian/changelog top entry" "$changelog" "$version"
release=$(grep -o -m 1 '<release version="[^"]*"' "$source_dir"/packaging/*.metainfo.xml | cut -d'"' -f2)
expect "metainfo newest release" "$release" "$version"

exit $fail
