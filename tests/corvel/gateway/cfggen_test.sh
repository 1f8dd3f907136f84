#!/usr/bin/env bash
# cfggen as a developer runs it, run by ctest: CFGGEN SAMPLE_FOLDER
#   wrong arguments, a missing project and an output that cannot be created fail with their text;
#   the sample project (saved by test_corvel_gateway_sample) gives sample.xml, which the XML check
#   compares with the configuration that test wrote in-process; with --aoi it gives the AOI files in "aoi",
#   checked with those the test wrote in-process.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/corvel/gateway/cfggen_support.sh
. "$here/cfggen_support.sh" "$@"

expect_failure 2 "usage: cfggen PROJECT OUT.xml"
expect_failure 2 "usage: cfggen PROJECT OUT.xml" "Z:$sample/sample.prj"
expect_failure 2 "unknown option --xml" "Z:$sample/sample.prj" "Z:$sample/x.xml" --xml "Z:$sample"
expect_failure 2 "unexpected argument" "Z:$sample/sample.prj" "Z:$sample/x.xml" --aoi "Z:$sample"
expect_failure 2 "--aoi takes 1 value(s)" "Z:$sample/sample.prj" --aoi
expect_failure 1 "Error: Opening XML File" "Z:$sample/sample.prj" --aoi "Z:$sample/no-folder"
expect_failure 1 "Could not open the project file" "Z:$sample/missing.prj" "Z:$sample/x.xml"
expect_failure 1 "is not a project file" "Z:$sample/in-process.xml" "Z:$sample/x.xml"
expect_failure 1 "Error: Opening XML File" "Z:$sample/sample.prj" "Z:$sample/no-folder/x.xml"

"$wine_run" "$cfggen" "Z:$sample/sample.prj" "Z:$sample/sample.xml"
python3 "$here/check_device_config.py" "$sample"

# The AOI files, written twice: the second run overwrites without a question. One line per file written.
rm -rf "$sample/aoi"
mkdir -p "$sample/aoi"
for run in 1 2; do
  "$wine_run" "$cfggen" "Z:$sample/sample.prj" --aoi "Z:$sample/aoi" > "$sample/cfggen-aoi.txt"
  if [ "$(tr -d '\r' < "$sample/cfggen-aoi.txt")" != "Z:$sample/aoi\simpleIO_AOI.L5X" ]; then
    echo "cfggen --aoi, run $run, printed:" >&2
    cat "$sample/cfggen-aoi.txt" >&2
    exit 1
  fi
done
python3 "$here/check_aoi_files.py" "$sample/aoi-in-process" "$sample/aoi"

# An SCL file that cannot be read: the configuration is written without it, the warning is printed and the
# exit code is 3, for the configuration and for --aoi.
scl=$(ls "$sample"/SCLFiles/*.cid)
mv "$scl" "$scl.away"
trap 'mv "$scl.away" "$scl"' EXIT
for arguments in "Z:$sample/left-out.xml" "--aoi Z:$sample/aoi"; do
  status=0
  # shellcheck disable=SC2086
  "$wine_run" "$cfggen" "Z:$sample/sample.prj" $arguments > /dev/null 2> "$errors" || status=$?
  if [ "$status" -ne 3 ] || ! grep -qF "could not be read. It is not embedded." "$errors"; then
    echo "cfggen with a missing SCL file ($arguments): exit $status (expected 3), errors:" >&2
    cat "$errors" >&2
    exit 1
  fi
done
