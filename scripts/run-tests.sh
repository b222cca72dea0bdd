#!/usr/bin/env bash
# Builds the test configuration (AddressSanitizer + UBSan, warnings as errors) and runs every test
# inside a desktop session of its own.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset test
cmake --build --preset test
scripts/with-session.sh ctest --preset test "$@"
