#!/usr/bin/env bash
# cfggen --unity as a developer runs it, run by ctest: CFGGEN SAMPLE_FOLDER
#   a device the project lacks, a device of another kind, a missing value and a folder that is not there
#   fail with their text; each device of the sample project (saved by test_corvel_unity_sample) gives its
#   files, which the XML check compares with the files that test wrote in-process.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/corvel/gateway/cfggen_support.sh
. "$here/cfggen_support.sh" "$@"
project="Z:$sample/unity.prj"

expect_failure 2 "--unity takes 2 value(s)" "$project" --unity "M340 Pump"
expect_failure 1 "the project has no PLC device named \"Boiler\"" "$project" --unity Boiler "Z:$sample/x"
expect_failure 1 "\"EthernetIP\" is not a Quantum, M340 or other Modbus PLC device" "$project" --unity EthernetIP "Z:$sample/x"
expect_failure 1 "Error: Failed to save XML document" "$project" --unity "M340 Pump" "Z:$sample/no-folder/x"

# Each name in another form: an upper-case extension, the variables file's, none.
"$wine_run" "$cfggen" "$project" --unity "Quantum Line 1" "Z:$sample/cfggen-0.XSY"
"$wine_run" "$cfggen" "$project" --unity "M340 Pump" "Z:$sample/cfggen-1.xsy"
"$wine_run" "$cfggen" "$project" --unity "Meter Bank" "Z:$sample/cfggen-2"
# The Quantum project and the M340 project from their .prx files, which keep no directions.
"$wine_run" "$cfggen" "Z:$sample/unity-prx-0.prx" --unity "Quantum Line 1" "Z:$sample/cfggen-prx-0"
"$wine_run" "$cfggen" "Z:$sample/unity-prx-1.prx" --unity "M340 Pump" "Z:$sample/cfggen-prx-1"
python3 "$here/check_unity_export.py" "$sample"
