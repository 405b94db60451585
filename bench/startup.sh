#!/usr/bin/env bash
# Start-up of the installed program over the sample catalogue: from exec until the main window's
# first paint, offscreen, as a user whose data folder already exists (the first start, which
# also copies the sample, is reported apart). The program is installed into a private prefix
# (or given as PROGRAM); the vellumatic-user driver plugin stamps the paint.
# Usage: bench/startup.sh [build-dir] [runs] [PROGRAM]
set -euo pipefail
build="$(cd "${1:-$(dirname "${BASH_SOURCE[0]}")/../build}" && pwd)"
runs="${2:-21}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
program="${3:-}"
if [[ -z "$program" ]]; then
    cmake --install "$build" --prefix "$work/prefix" >/dev/null
    program="$work/prefix/bin/vellumatic"
fi

start_once() {
    local before painted
    before="$(date +%s%N)"
    painted="$(env -i PATH="$PATH" HOME="$work/home" QT_QPA_PLATFORM=offscreen \
        QT_PLUGIN_PATH="$build/tests/desktop/plugins" QT_QPA_GENERIC_PLUGINS=vellumatic-user:shown \
        "$program" 2>/dev/null | sed -n 's/^painted-at: //p')"
    [[ -n "$painted" ]] || { echo "the main window was never painted" >&2; exit 1; }
    echo $(((painted - before) / 1000))
}

echo "first start (copies the sample): $(start_once) us"
for _ in $(seq "$runs"); do start_once; done | sort -n >"$work/times"
median="$(sed -n "$(((runs + 1) / 2))p" "$work/times")"
echo "start-up until the main window is painted, $runs runs: median $median us," \
     "min $(head -n1 "$work/times") us, max $(tail -n1 "$work/times") us"
