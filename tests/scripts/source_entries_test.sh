#!/usr/bin/env bash
# scripts/source-entries.sh on made-up apt configurations: the source entries
# are the binary entries of the release, in both formats.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/apt/sources.list.d"

cat > "$work/apt/sources.list" <<'LIST'
# the release's archives
deb http://archive.example/debian bookworm main contrib
deb  [arch=amd64 signed-by=/usr/share/keyrings/x.gpg]  http://archive.example/debian-security bookworm-security main
deb-src http://archive.example/debian bookworm main
deb http://third.example/apt stable main
LIST
cat > "$work/apt/sources.list.d/extra.list" <<'LIST'
deb http://archive.example/debian bookworm-updates main
LIST
echo "deb http://archive.example/ignored bookworm main" > "$work/apt/sources.list.d/own.list"
cat > "$work/apt/sources.list.d/release.sources" <<'SOURCES'
Types: deb
# a comment inside the stanza
URIs: http://archive.example/debian
Suites: bookworm bookworm-updates other
Components: main
Architectures: amd64
Signed-By: /usr/share/keyrings/archive.gpg

Types: deb
URIs: http://archive.example/disabled
Suites: bookworm
Components: main
Enabled: no

Types: deb deb-src
URIs: http://archive.example/inline
Suites: bookworm/updates
Components: main non-free
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 -----END PGP PUBLIC KEY BLOCK-----
SOURCES
cat > "$work/apt/sources.list.d/third.sources" <<'SOURCES'
Types: deb
URIs: http://third.example/apt
Suites: nodistro
Components: main
SOURCES
printf 'Types: deb\nURIs: http://archive.example/own\nSuites: bookworm\n' > "$work/apt/sources.list.d/own.sources"

fail=0
check() { # name expected actual
  if [ "$2" != "$3" ]; then
    echo "FAILED: $1"; echo "--- expected"; echo "$2"; echo "--- got"; echo "$3"; fail=1
  fi
}

check "one-line entries" "deb-src http://archive.example/debian bookworm main contrib
deb-src [arch=amd64 signed-by=/usr/share/keyrings/x.gpg] http://archive.example/debian-security bookworm-security main
deb-src http://archive.example/debian bookworm-updates main" \
  "$("$ROOT/scripts/source-entries.sh" list "$work/apt" bookworm own)"

check "deb822 entries" "Types: deb-src
URIs: http://archive.example/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/archive.gpg

Types: deb-src
URIs: http://archive.example/inline
Suites: bookworm/updates
Components: main non-free
Signed-By: 
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 -----END PGP PUBLIC KEY BLOCK-----" \
  "$("$ROOT/scripts/source-entries.sh" deb822 "$work/apt" bookworm own)"

check "no release named: every suite" "deb-src http://archive.example/debian bookworm main contrib
deb-src [arch=amd64 signed-by=/usr/share/keyrings/x.gpg] http://archive.example/debian-security bookworm-security main
deb-src http://third.example/apt stable main
deb-src http://archive.example/debian bookworm-updates main" \
  "$("$ROOT/scripts/source-entries.sh" list "$work/apt" "" own)"

rm -f "$work/apt/sources.list" "$work/apt/sources.list.d/"*
check "nothing configured" "" "$("$ROOT/scripts/source-entries.sh" list "$work/apt" bookworm own)$("$ROOT/scripts/source-entries.sh" deb822 "$work/apt" bookworm own)"

[ $fail -eq 0 ] && echo "source entries: all cases passed"
exit $fail
