#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when one is missing,
# so `make run` and `make test` work on a fresh Debian 12 machine.
set -euo pipefail

packages=(
  cmake g++ make ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libglx-dev
  qt6-charts-dev libqt6opengl6-dev libpcre2-dev
  libgtest-dev libgmock-dev
  xvfb xauth
  clang libclang-rt-14-dev clang-format
  git
  # make package: manual pages, CPack's shlibdeps and ELF detection, and the checks .ci/run makes
  help2man dpkg-dev file lintian desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
