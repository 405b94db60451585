#!/usr/bin/env bash
# Side-by-side timing of vellumatic-expand against awk producing the same field list,
# plus the --fields run and the scaling of both. Uses hyperfine when installed, else time.
# Usage: bench/expand_vs_awk.sh [build-dir]
set -euo pipefail
build="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
tool="$build/bin/vellumatic-expand"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

printf '%s' '[($Field!|1|n)(,|1|n-1)]' > "$work/template"
awk_cmd() { echo "awk 'BEGIN{for(i=1;i<=$1;i++)printf \"\$Field%04d!%s\\n\", i, (i<$1?\",\":\"\")}'"; }

"$tool" --set n=1000000 "$work/template" > "$work/tool.out"
eval "$(awk_cmd 1000000)" > "$work/awk.out"
if cmp -s "$work/tool.out" "$work/awk.out"; then
    echo "output: byte-identical to awk ($(wc -c < "$work/awk.out") bytes)"
else
    echo "output: DIFFERS from awk" >&2
    exit 1
fi

if command -v hyperfine > /dev/null; then
    hyperfine --warmup 2 --runs 15 --export-markdown "$work/table.md" \
        "$tool --set n=1000000 $work/template > /dev/null" \
        "$(awk_cmd 1000000) > /dev/null" \
        "$tool --set n=2000000 $work/template > /dev/null" \
        "$tool --fields --set n=100000 $work/template > /dev/null" \
        "$tool --fields --set n=200000 $work/template > /dev/null"
    exit 0
fi

# Without hyperfine: median wall time of 15 runs each, interleaved so load hits all alike.
median() { sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }
names=("expand n=1000000" "awk n=1000000" "expand n=2000000" "fields n=100000" "fields n=200000")
commands=("$tool --set n=1000000 $work/template"
          "$(awk_cmd 1000000)"
          "$tool --set n=2000000 $work/template"
          "$tool --fields --set n=100000 $work/template"
          "$tool --fields --set n=200000 $work/template")
for ((run = 0; run < 15; run++)); do
    for i in "${!commands[@]}"; do
        start=$(date +%s.%N)
        eval "${commands[$i]}" > /dev/null
        end=$(date +%s.%N)
        awk "BEGIN{print $end - $start}" >> "$work/times.$i"
    done
done
for i in "${!commands[@]}"; do
    printf '%-18s median %.3f s\n' "${names[$i]}" "$(median < "$work/times.$i")"
done
