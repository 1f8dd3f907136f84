#!/usr/bin/env bash
# projdump round trip, run by ctest: PROJDUMP FIXTURE WORKDIR
#   dumps FIXTURE (*.prx), saves it as WORKDIR/saved.prj and saved.prx, dumps both and
#   compares them with the first text; saves the .prj once more and compares again;
#   damaged copies of both files must fail with a message and exit code 1.
set -euo pipefail
projdump=${1:?projdump.exe}
fixture=${2:?fixture}
work=${3:?folder}
wine_run=$(cd "$(dirname "$0")/../../.." && pwd)/scripts/wine-run.sh
rm -rf "$work"
mkdir -p "$work"

"$wine_run" "$projdump" "Z:$fixture" > "$work/first.txt"
"$wine_run" "$projdump" "Z:$fixture" --save "Z:$work/saved"
"$wine_run" "$projdump" "Z:$work/saved.prx" > "$work/from-prx.txt"
"$wine_run" "$projdump" "Z:$work/saved.prj" > "$work/from-prj.txt"
diff -u "$work/first.txt" "$work/from-prx.txt"
diff -u "$work/first.txt" "$work/from-prj.txt"
"$wine_run" "$projdump" "Z:$work/saved.prj" --save "Z:$work/again.prj"
"$wine_run" "$projdump" "Z:$work/again.prj" > "$work/again.txt"
diff -u "$work/first.txt" "$work/again.txt"
grep -q '^ieds 20$' "$work/first.txt"
# projdump.exe has no version resource.
grep -q 'appVrsn="0.0.0.0"' "$work/saved.prx"

sed 's/<PLCs>//; s/<\/PLCs>//' "$fixture" > "$work/no-plcs.prx"
status=0
"$wine_run" "$projdump" "Z:$work/no-plcs.prx" > /dev/null 2> "$work/errors.txt" || status=$?
[ "$status" -eq 1 ]
grep -q "Failed to read 'PLCs' section." "$work/errors.txt"

head -c 200 "$work/saved.prj" > "$work/truncated.prj"
status=0
"$wine_run" "$projdump" "Z:$work/truncated.prj" > /dev/null 2> "$work/errors.txt" || status=$?
[ "$status" -eq 1 ]
grep -q 'could not be read: the file ends early at byte ' "$work/errors.txt"
echo "projdump round trip: same text through .prx and .prj, damaged copies reported"
