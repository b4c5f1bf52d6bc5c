#!/bin/sh
# Installs the Debian packages that are missing among those named on the command line.
# Usage: cmake/install-deps.sh package...
set -e
missing=""
for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "Paquets manquants :$missing (lancez ce script en root ou installez sudo)" >&2
    exit 1
fi
echo "Installation de :$missing"
export DEBIAN_FRONTEND=noninteractive
# shellcheck disable=SC2086
if ! $SUDO apt-get install -y -q $missing; then
    $SUDO apt-get update -q
    $SUDO apt-get install -y -q $missing
fi
