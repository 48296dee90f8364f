#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quorvel need, only
# those that are missing. Runs apt-get directly as root, through sudo otherwise.
# Usage: scripts/ensure-deps.sh [extra-package ...]
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev libsqlite3-dev
  libgtest-dev googletest
  # Metric-compatible stand-ins for Arial and Courier New, and a readable
  # sans-serif that fontconfig uses in place of Tahoma.
  fonts-liberation fonts-dejavu-core fontconfig
  # pdftotext and pdfinfo: the printing tests read back the PDF they print.
  poppler-utils
  # xdg-open: links to files and web addresses open with the desktop's handler.
  xdg-utils
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
