#!/bin/sh
# Fails when a C++ source of the repository differs from the root .clang-format.
set -e
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
echo "check-format: every source follows .clang-format"
