#!/usr/bin/env bash
# Checks that core's folders include only folders below them. The layers, lowest first:
#   util → app → imaging → album → workspace, gallery → publish
# (workspace and gallery stand side by side and include neither each other). A folder of core that
# is not in this list is an error too, so a new folder gets its place here first.
# ./check_core_layers.sh [CORE_DIR]   (default: src/core of this tree); prints each include that
# goes up or sideways and exits 1 when there is one.
set -euo pipefail
core=${1:-$(dirname "$0")/../src/core}
declare -A rank=([util]=0 [app]=1 [imaging]=2 [album]=3 [workspace]=4 [gallery]=4 [publish]=5)

status=0
for dir in "$core"/*/; do
  folder=$(basename "$dir")
  if [ -z "${rank[$folder]+set}" ]; then
    echo "$folder/: a folder of core without a place in the layers" >&2
    status=1
    continue
  fi
  while IFS=: read -r file line text; do
    included=$(sed -E 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)/.*|\1|' <<<"$text")
    [ "$included" = "$folder" ] && continue
    if [ -z "${rank[$included]+set}" ] || [ "${rank[$included]}" -ge "${rank[$folder]}" ]; then
      echo "${file#"$core"/}:$line: $folder may not include $included: $text" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$dir" || true)
done
exit $status
