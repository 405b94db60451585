#!/usr/bin/env bash
# `cmake --install` into a private prefix: the files a desktop needs are in place, the build's
# own tools are not, and the installed program starts a new user's data folder from the
# installed sample.   install-tree.sh BUILD_DIR DRIVER_PLUGIN_PATH
set -euo pipefail
build="$(cd "$1" && pwd)" plugins="$(cd "$2" && pwd)"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
expected=(
    bin/vellumatic
    bin/vellumatic-expand
    share/vellumatic/Data/Tempalates.app
    share/vellumatic/Data/Values.app
    share/vellumatic/TypeMaps.tsv
    share/applications/vellumatic.desktop
    share/metainfo/io.github.vellumatic.vellumatic.metainfo.xml
    share/man/man1/vellumatic.1.gz
    share/man/man1/vellumatic-expand.1.gz
    share/icons/hicolor/scalable/apps/vellumatic.svg
    share/icons/hicolor/16x16/apps/vellumatic.png
    share/icons/hicolor/256x256/apps/vellumatic.png
)
for file in "${expected[@]}"; do
    [[ -s "$prefix/$file" ]] || { echo "FAIL: $file is not installed" >&2; exit 1; }
done
unwanted="$(cd "$prefix" && find . -name 'vellumatic-sample-data' -o -name 'test_*' -o -name 'bench_*')"
[[ -z "$unwanted" ]] || { echo "FAIL: installed what only the build needs: $unwanted" >&2; exit 1; }
gzip -t "$prefix"/share/man/man1/*.1.gz

"$here/installed-program.sh" "$prefix/bin/vellumatic" "$prefix/share/vellumatic/Data" "$plugins"
