#!/usr/bin/env bash
# Start-to-output time of vellumatic-expand on a stored catalogue of 2,000 templates (each
# with a body) and 20,000 values: --template (target 60 ms) and --list (target 40 ms).
# Prints the medians of 21 runs each, interleaved so load hits both alike.
# Usage: bench/catalogue_tool.sh [build-dir]
set -euo pipefail
build="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
tool="$build/bin/vellumatic-expand"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
data="$work/Data"
mkdir "$data"

# A table file as the program stores it: Windows-1252, records after 0xB1, in double quotes.
# A hundred top-level groups, the rest spread under them.
table() { # count first-id name
    awk -v count="$1" -v first="$2" -v name="$3" 'BEGIN {
        printf "\"ID|Name|ParentID|Spare|Image"
        for (id = first; id < first + count; ++id) {
            parent = id < first + 100 ? -1 : first + (id % 100)
            printf "\261%d|%s %d|%d|0|3", id, name, id, parent
        }
        printf "\"\r\n"
    }'
}
table 2000 2 "Template" > "$data/Tempalates.app"
table 20000 2 "Value" > "$data/Values.app"
# Every template's body: the template pane's rich text as the window stores it, then the result.
rtf='{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fnil\fcharset0 monospace;}}
{\colortbl ;\red0\green0\blue0;\red255\green0\blue0;}
\uc1\pard\plain\f0\fs20 \cf1 SELECT [(\cf2 $Column!\cf1 |1|n)(, |1|n-1)] FROM t;\par
}'
body="\"$rtf"'_$$$_001_$$$_'"$rtf\"\r"
for ((id = 2; id < 2002; ++id)); do
    printf '%s\n' "$body" > "$data/TMP_key$id"
done
path="Template 52/Template 1050"

"$tool" --data "$data" --template "$path" --set n=3 > "$work/out"
grep -q 'Column0003' "$work/out" || { echo "--template gave the wrong result" >&2; exit 1; }
[ "$("$tool" --data "$data" --list | wc -l)" -eq 2000 ] || { echo "--list missed templates" >&2; exit 1; }

median() { sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }
names=("--template" "--list")
commands=("$tool --data $data --template '$path' --set n=3"
          "$tool --data $data --list")
# Wall time from start to output, and the processor time (user + system) the run took: on a
# loaded machine the second shows what the tool itself costs.
TIMEFORMAT='%R %U %S'
for ((run = 0; run < 21; run++)); do
    for i in "${!commands[@]}"; do
        { time eval "${commands[$i]}" > /dev/null; } 2>> "$work/times.$i"
    done
done
for i in "${!commands[@]}"; do
    wall=$(awk '{print $1 * 1000}' "$work/times.$i" | median)
    cpu=$(awk '{print ($2 + $3) * 1000}' "$work/times.$i" | median)
    printf '%-12s median %6.1f ms wall, %6.1f ms processor\n' "${names[$i]}" "$wall" "$cpu"
done
