#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when missing.
# As root directly, otherwise through sudo; without either it prints the one command to run
# as root. Nothing is downloaded from anywhere else. Needs CMake 3.25 and Qt 6.4: Debian 12
# (bookworm), Ubuntu 24.04 (noble) or newer.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-serialport-dev qt6-translations-l10n qt6-qpa-plugins
  xvfb xauth poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

command="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run this as root, then run make again:" >&2
  echo "  $command" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
