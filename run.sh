#!/bin/sh
# Installs what is missing, builds in Release, lays out build/tombage/ and starts the program.
set -e
cd "$(dirname "$0")"
. cmake/packages.sh
# shellcheck disable=SC2086
cmake/install-deps.sh $BUILD_PACKAGES
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build build --target tombage_program
exec build/tombage/tombage "$@"
