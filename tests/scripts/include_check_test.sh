#!/usr/bin/env bash
# The include check: a source that misses an include a precompiled header would supply fails it, with
# the compiler's message; one that names its headers passes and leaves the check's mark.
# Usage: include_check_test.sh <compiler> <syntax-only launcher>
set -u
compiler=$1
launcher=$2
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0

if "$launcher" "$compiler" -std=c++17 -o "$scratch/missing.obj" -c "$here/fixtures/include_check/missing_include.cpp" \
    2>"$scratch/missing.txt"; then
  echo "not caught: a source missing <cstring> passed the check"
  failed=1
elif ! grep -q "strlen" "$scratch/missing.txt"; then
  echo "the check failed without naming what is missing: $(cat "$scratch/missing.txt")"
  failed=1
fi
[ ! -e "$scratch/missing.obj" ] || { echo "a failed check left its mark"; failed=1; }

if ! "$launcher" "$compiler" -std=c++17 -o "$scratch/whole.obj" -c "$here/fixtures/include_check/whole_includes.cpp"; then
  echo "a source naming its headers failed the check"
  failed=1
fi
[ -e "$scratch/whole.obj" ] || { echo "a passed check left no mark"; failed=1; }
exit $failed
