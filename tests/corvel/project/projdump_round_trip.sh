#!/usr/bin/env bash
# projdump round trip, run by ctest: PROJDUMP FIXTURE WORKDIR
#   dumps FIXTURE, saves it as WORKDIR/saved.prx, dumps that and compares the two texts;
#   a damaged copy must fail with a message and exit code 1.
set -euo pipefail
projdump=${1:?projdump.exe}
fixture=${2:?fixture}
work=${3:?folder}
wine_run=$(cd "$(dirname "$0")/../../.." && pwd)/scripts/wine-run.sh
rm -rf "$work"
mkdir -p "$work"

"$wine_run" "$projdump" "Z:$fixture" > "$work/first.txt"
"$wine_run" "$projdump" "Z:$fixture" --save "Z:$work/saved.prj"
"$wine_run" "$projdump" "Z:$work/saved.prx" > "$work/second.txt"
diff -u "$work/first.txt" "$work/second.txt"
grep -q '^ieds 20$' "$work/first.txt"
# projdump.exe has no version resource.
grep -q 'appVrsn="0.0.0.0"' "$work/saved.prx"

sed 's/<PLCs>//; s/<\/PLCs>//' "$fixture" > "$work/no-plcs.prx"
status=0
"$wine_run" "$projdump" "Z:$work/no-plcs.prx" > /dev/null 2> "$work/errors.txt" || status=$?
[ "$status" -eq 1 ]
grep -q "Failed to read 'PLCs' section." "$work/errors.txt"
echo "projdump round trip: same text, damaged copy reported"
