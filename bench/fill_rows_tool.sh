#!/usr/bin/env bash
# Times vellumatic-expand filling a class from a 100,000-row table against the same expansion
# without rows; the figure asks for at most twice that time plus 0.2 s.
# Uses hyperfine when installed, else the median of 9 interleaved runs each.
# Usage: bench/fill_rows_tool.sh [build-dir]
set -euo pipefail
build="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
tool="$build/bin/vellumatic-expand"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
rows=100000

printf '%s' 'public class $Class:pascal!
{
[(    public $Type:csharp! $Col:pascal! { get; set; } // $Note! ($col:snake!)|1|n)]}
' > "$work/template"
awk -v rows=$rows 'BEGIN {
    split("integer|character varying(50)|timestamp with time zone|numeric(10,2)|uuid", types, "|")
    print "name,type,note"
    for (i = 1; i <= rows; i++)
        printf "column number %d,\"%s\",\"line one\nline %d\"\n", i, types[i % 5 + 1], i
}' > "$work/columns.csv"

with_rows=("$tool" --rows "$work/columns.csv" --fill Class=customer "$work/template")
without_rows=("$tool" --set "n=$rows" "$work/template")
"${with_rows[@]}" > "$work/filled.out"
if grep -q '\$Col\|\$Type\|\$Note' "$work/filled.out"; then
    echo "a field was left unfilled" >&2
    exit 1
fi
echo "filled: $(grep -c '{ get; set; }' "$work/filled.out") properties"

if command -v hyperfine > /dev/null; then
    hyperfine --warmup 1 --runs 9 "${without_rows[*]} > /dev/null" "${with_rows[*]} > /dev/null"
    exit 0
fi
median() { sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }
for ((run = 0; run < 9; run++)); do
    for kind in without with; do
        start=$(date +%s.%N)
        if [[ $kind == with ]]; then "${with_rows[@]}" > /dev/null; else "${without_rows[@]}" > /dev/null; fi
        end=$(date +%s.%N)
        awk "BEGIN{print $end - $start}" >> "$work/times.$kind"
    done
done
plain=$(median < "$work/times.without")
filled=$(median < "$work/times.with")
printf 'without rows  median %.3f s\nwith rows     median %.3f s (limit %.3f s)\n' \
    "$plain" "$filled" "$(awk "BEGIN{print 2 * $plain + 0.2}")"
