#!/usr/bin/env bash
# Builds the .deb with cpack, installs it with apt-get as a user of the package would, starts
# /usr/bin/vellumatic as a new user, and removes the package again.
#   debian-package.sh BUILD_DIR DRIVER_PLUGIN_PATH
# Installing needs root: skipped (exit 77) without it, except under CI=true, where it fails.
set -euo pipefail
build="$(cd "$1" && pwd)" plugins="$(cd "$2" && pwd)"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [[ $(id -u) -ne 0 ]]; then
    [[ "${CI:-}" == true ]] && { echo "FAIL: installing the package needs root" >&2; exit 1; }
    echo "skipped: installing the package needs root"
    exit 77
fi
if dpkg-query -W -f='${Status}' vellumatic 2>/dev/null | grep -q "install ok installed"; then
    echo "FAIL: a vellumatic package is installed already; this test would remove it" >&2
    exit 1
fi

work="$(mktemp -d)"
installed=""
cleanup() {
    [[ -n "$installed" ]] && DEBIAN_FRONTEND=noninteractive apt-get remove -y -q vellumatic >/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb=("$work"/vellumatic_*.deb)
[[ -f "${deb[0]}" ]] || { echo "FAIL: cpack made no .deb" >&2; exit 1; }
depends="$(dpkg-deb -f "${deb[0]}" Depends)"
echo "Depends: $depends"
for library in libqt6widgets6 libqt6sql6 libqt6printsupport6 libpugixml1v5 libstdc++6; do
    grep -q "$library" <<<"$depends" || { echo "FAIL: the package does not depend on $library" >&2; exit 1; }
done

cd "$work"
installed=yes
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "./$(basename "${deb[0]}")" >/dev/null
[[ -x /usr/bin/vellumatic && -x /usr/bin/vellumatic-expand ]] || { echo "FAIL: programs not in /usr/bin" >&2; exit 1; }
# Started the way the desktop starts it: the launcher's command, found on the PATH.
launcher_command="$(sed -n 's/^Exec=//p' /usr/share/applications/vellumatic.desktop)"
[[ "$(command -v "$launcher_command")" == /usr/bin/vellumatic ]] \
    || { echo "FAIL: the launcher's command \"$launcher_command\" is not /usr/bin/vellumatic" >&2; exit 1; }
"$here/installed-program.sh" "$(command -v "$launcher_command")" /usr/share/vellumatic/Data "$plugins"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -q vellumatic >/dev/null
installed=""
[[ ! -e /usr/bin/vellumatic && ! -e /usr/share/vellumatic ]] || { echo "FAIL: removing left files behind" >&2; exit 1; }
echo "PASS: package installed, used and removed"
