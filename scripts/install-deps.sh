#!/usr/bin/env bash
# Installs the Debian packages the project builds with, only those missing.
# Needs root (or sudo) when something is missing. `install-deps.sh fuzz` also
# installs clang and its libFuzzer runtime for the fuzz targets;
# `install-deps.sh docs` only what the API reference needs (cmake, doxygen).
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libgtest-dev libbenchmark-dev
  qt6-base-dev libgl-dev fonts-dejavu-core
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  libpugixml-dev libcurl4-openssl-dev zlib1g-dev nlohmann-json3-dev libcpp-httplib-dev
  libsqlite3-dev
  openssl curl ca-certificates
  dpkg-dev file
)

if [ "${1:-}" = "fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi
if [ "${1:-}" = "docs" ]; then
  packages=(cmake doxygen)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
elif command -v sudo >/dev/null 2>&1; then
  SUDO="sudo"
else
  echo "Please install as root: apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
