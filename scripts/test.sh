#!/usr/bin/env bash
# Sets up and builds Vellumatic (warnings are errors here), then runs the whole test suite.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VELLUMATIC_BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh" -DVELLUMATIC_WERROR=ON

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 600
