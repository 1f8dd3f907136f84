#!/bin/sh
# Compiler launcher of the include checks: runs the compile command it is given (the compiler and
# its arguments) for syntax only and, when that passes, leaves an empty file at the command's
# output (-o), so that the build tool counts the check as done until a dependency changes.
out=
prev=
for arg in "$@"; do
  [ "$prev" = -o ] && out=$arg
  prev=$arg
done
"$@" -fsyntax-only || exit $?
[ -z "$out" ] || : >"$out"
