#!/usr/bin/env bash
# Checks one kind of desktop file as installed under PREFIX with the tool that distributions
# check it with: check-installed.sh PREFIX desktop|metainfo|mime|man
set -euo pipefail
prefix="$1"
share="$prefix/share"
case "$2" in
  desktop)
    desktop-file-validate "$share/applications/harbor-lessons.desktop"
    grep -qx 'MimeType=application/x-harbor-lessons-wordlist;' "$share/applications/harbor-lessons.desktop"
    grep -qx 'Exec=harbor-lessons %f' "$share/applications/harbor-lessons.desktop"
    ;;
  metainfo)
    appstreamcli validate --no-net "$share/metainfo/org.harborlessons.HarborLessons.metainfo.xml"
    ;;
  mime)
    # Build a MIME database of the package alone and look for its glob and magic in it.
    data="$(mktemp -d)"
    trap 'rm -rf "$data"' EXIT
    database="$data/mime"
    mkdir -p "$database/packages"
    cp "$share/mime/packages/harbor-lessons.xml" "$database/packages/"
    xmllint --noout "$database/packages/harbor-lessons.xml"
    # Any complaint about the package fails the check.
    XDG_DATA_HOME="$data" update-mime-database "$database" 2>&1 | { ! grep .; }
    grep -q '^50:application/x-harbor-lessons-wordlist:\*\.wl$' "$database/globs2"
    grep -qa '_PEL_LORA_LIST_FILE_' "$database/magic"
    ;;
  man)
    for page in pellora pellora-wl; do
      file="$share/man/man1/$page.1"
      test -s "$file"
      # Any warning of the formatter fails the check.
      warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)"
      if [ -n "$warnings" ]; then echo "$file: $warnings"; exit 1; fi
    done
    ;;
  *)
    echo "unknown check: $2" >&2
    exit 2
    ;;
esac
