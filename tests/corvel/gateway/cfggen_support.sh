# Sourced by the cfggen tests with their arguments CFGGEN SAMPLE_FOLDER, after setting here to their folder:
# sets cfggen, sample, wine_run and errors, and defines expect_failure.
cfggen=${1:?cfggen.exe}
sample=${2:?sample folder}
wine_run=$here/../../../scripts/wine-run.sh
errors=$sample/cfggen-errors.txt
# A command that stops the test says which it was.
trap 'echo "stopped by (exit $?): $BASH_COMMAND" >&2' ERR

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
