# Sourced by the cfggen tests: cfggen, wine_run and errors must be set.

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
