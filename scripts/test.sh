#!/usr/bin/env bash
# Sets up and builds Vellumatic (warnings are errors here), then runs the whole test suite.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VELLUMATIC_BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh" -DVELLUMATIC_WERROR=ON

export QT_QPA_PLATFORM=offscreen
# The import tests read a real PostgreSQL server; it lives only as long as this run.
pg_env="$("$root/scripts/postgres-test-server.sh" start)"
eval "$pg_env"
trap '"$root/scripts/postgres-test-server.sh" stop "$VELLUMATIC_TEST_PG_DIR"' EXIT
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 600
