#!/usr/bin/env bash
# Installs the Debian packages the program needs to build, run and test
# (poppler-utils: the PDF printer tests render the pages they wrote;
# cups-daemon and cups-client: the installed-printer tests run a print server
# of their own).
# Installs only what is missing; needs root (or sudo) when something is.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-liberation2 fonts-blankenburg
  xvfb xauth
  clang libclang-rt-14-dev
  poppler-utils
  libcups2-dev cups-daemon cups-client
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
