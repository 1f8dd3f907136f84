#!/usr/bin/env bash
# source-entries.sh list|deb822 APT_DIR RELEASE [OWN_NAME]
# Prints source-package entries ("deb-src") copied from the binary entries
# ("deb") of the apt configuration in APT_DIR that serve the release RELEASE
# (its codename; suites RELEASE, RELEASE-* and RELEASE/*; every suite when
# RELEASE is empty): "list" from the one-line files (sources.list, *.list),
# "deb822" from the .sources files. The files named OWN_NAME (the entries
# written from this output) are not read.
set -euo pipefail
format=$1 apt_dir=$2 release=$3 own=${4:-}

case "$format" in
list)
  for f in "$apt_dir/sources.list" "$apt_dir"/sources.list.d/*.list; do
    if [ -f "$f" ] && [ "$(basename "$f")" != "$own.list" ]; then cat "$f"; echo; fi
  done | awk -v release="$release" '
    function ofRelease(suite) {
      return release == "" || suite == release || index(suite, release "-") == 1 || index(suite, release "/") == 1
    }
    $1 == "deb" {
      i = 2
      if ($i ~ /^\[/) { while (i <= NF && $i !~ /\]$/) i++; i++ }
      if (!ofRelease($(i + 1))) next
      $1 = "deb-src"; print
    }'
  ;;
deb822)
  for f in "$apt_dir"/sources.list.d/*.sources; do
    if [ -f "$f" ] && [ "$(basename "$f")" != "$own.sources" ]; then cat "$f"; echo; fi
  done | awk -v release="$release" '
    function ofRelease(suite) {
      return release == "" || suite == release || index(suite, release "-") == 1 || index(suite, release "/") == 1
    }
    # Prints the stanza read so far as a source stanza when it is an enabled binary one of the release.
    function flush(   n, i, s, kept) {
      if (types ~ /(^| )deb( |$)/ && tolower(enabled) != "no" && uris != "") {
        n = split(suites, s, " "); kept = ""
        for (i = 1; i <= n; i++)
          if (ofRelease(s[i])) kept = kept (kept == "" ? "" : " ") s[i]
        if (kept != "") {
          if (printed) print ""
          print "Types: deb-src"; print "URIs: " uris; print "Suites: " kept
          printf "%s", kept_fields
          printed = 1
        }
      }
      types = ""; uris = ""; suites = ""; enabled = ""; kept_fields = ""; field = ""
    }
    /^[ \t]*$/ { flush(); next }
    /^#/ { next }
    /^[ \t]/ { if (field == "kept") kept_fields = kept_fields $0 "\n"; next }
    {
      name = $0; sub(/:.*/, "", name); value = $0; sub(/^[^:]*:[ \t]*/, "", value)
      field = name
      if (name == "Types") types = value
      else if (name == "URIs") uris = value
      else if (name == "Suites") suites = value
      else if (name == "Enabled") enabled = value
      else if (name == "Components" || name == "Signed-By") { kept_fields = kept_fields name ": " value "\n"; field = "kept" }
    }
    END { flush() }'
  ;;
*)
  echo "usage: source-entries.sh list|deb822 APT_DIR RELEASE [OWN_NAME]" >&2
  exit 2
  ;;
esac
