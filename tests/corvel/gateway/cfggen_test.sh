#!/usr/bin/env bash
# cfggen as a developer runs it, run by ctest: CFGGEN SAMPLE_FOLDER
#   wrong arguments, a missing project and an output that cannot be created fail with their text;
#   the sample project (saved by test_corvel_gateway_sample) gives sample.xml, which the XML check
#   compares with the configuration that test wrote in-process.
set -euo pipefail
cfggen=${1:?cfggen.exe}
sample=${2:?sample folder}
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../../scripts/wine-run.sh
errors=$sample/cfggen-errors.txt

# Runs cfggen with the arguments after the first two; it must exit with the status given and print the text.
expect_failure() {
  local status=$1 text=$2 actual=0
  shift 2
  "$wine_run" "$cfggen" "$@" > /dev/null 2> "$errors" || actual=$?
  if [ "$actual" -ne "$status" ] || ! grep -qF -- "$text" "$errors"; then
    echo "cfggen $*: exit $actual (expected $status), errors:" >&2
    cat "$errors" >&2
    exit 1
  fi
}

expect_failure 2 "usage: cfggen PROJECT OUT.xml"
expect_failure 2 "usage: cfggen PROJECT OUT.xml" "Z:$sample/sample.prj"
expect_failure 2 "unknown option --aoi" "Z:$sample/sample.prj" "Z:$sample/x.xml" --aoi "Z:$sample"
expect_failure 1 "Could not open the project file" "Z:$sample/missing.prj" "Z:$sample/x.xml"
expect_failure 1 "is not a project file" "Z:$sample/in-process.xml" "Z:$sample/x.xml"
expect_failure 1 "Error: Opening XML File" "Z:$sample/sample.prj" "Z:$sample/no-folder/x.xml"

"$wine_run" "$cfggen" "Z:$sample/sample.prj" "Z:$sample/sample.xml"
python3 "$here/check_device_config.py" "$sample"
