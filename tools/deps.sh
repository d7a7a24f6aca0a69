#!/usr/bin/env bash
# Makes sure the Debian packages that building, running and testing Stadionix
# need are installed. As root it installs what is missing with apt-get;
# otherwise it prints the exact apt-get line to run and fails.
set -euo pipefail

packages=(
    cmake g++ make git pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
    qt6-httpserver-dev qt6-websockets-dev
    qt6-serialport-dev qt6-multimedia-dev qt6-svg-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    libgl-dev fonts-dejavu-core fontconfig socat sqlite3 libsqlite3-dev clang-format openssl
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$package")
    fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

line="apt-get install -y --no-install-recommends ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "These Debian packages are missing. Run as root:" >&2
    echo "  sudo apt-get update && sudo $line" >&2
    exit 1
fi
