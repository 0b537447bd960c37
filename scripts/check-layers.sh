#!/usr/bin/env bash
# Checks that the folders of src/ include one another only downwards in the layer stack:
#   core <- dictionaries <- requisites;  core <- markup <- spelling;  document on top of
#   core, dictionaries, requisites and markup;  formats on document (it implements the
#   readers the opening road is handed);  cli and gui on top of all.
# A quoted include "folder/file.h" must name the file's own folder or one below it; a folder
# of src/ that has no place in the stack fails too. Exit status 0 when all is in order.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A below=(
  [core]=""
  [dictionaries]="core"
  [requisites]="core dictionaries"
  [markup]="core"
  [spelling]="core markup"
  [document]="core dictionaries requisites markup"
  [formats]="core dictionaries requisites markup document"
  [cli]="core dictionaries requisites markup formats spelling document"
  [gui]="core dictionaries requisites markup formats spelling document"
)

status=0
for dir in src/*/; do
  layer="$(basename "$dir")"
  if [[ ! -v "below[$layer]" ]]; then
    echo "check-layers: src/$layer has no place in the layer stack (scripts/check-layers.sh)"
    status=1
    continue
  fi
  allowed=" $layer ${below[$layer]} "
  while IFS=: read -r file line text; do
    target="$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$text")"
    [[ -v "below[$target]" ]] || continue
    if [[ "$allowed" != *" $target "* ]]; then
      echo "$file:$line: src/$layer may not include from src/$target: $text"
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$dir" \
             --include='*.h' --include='*.cpp' || true)
done
[[ $status -eq 0 ]] && echo "check-layers: every include follows the layer stack"
exit "$status"
