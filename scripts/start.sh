#!/usr/bin/env bash
# Sets up and builds Vellumatic, then starts it on the Data folder beside the built program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
exec "${VELLUMATIC_BUILD_DIR:-$root/build}/bin/vellumatic" "$@"
