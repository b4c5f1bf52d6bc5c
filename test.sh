#!/bin/sh
# Installs what is missing, builds everything and runs every test through CTest.
set -e
cd "$(dirname "$0")"
. cmake/packages.sh
# shellcheck disable=SC2086
cmake/install-deps.sh $BUILD_PACKAGES $TEST_PACKAGES
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake -S . -B build -DTOMBAGE_WERROR=ON >/dev/null
cmake --build build
cd build
ctest --output-on-failure -j "$(nproc)"
