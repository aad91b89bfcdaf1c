#!/usr/bin/env bash
# Thumbnail speed and memory: the program's thumbnail maker against vipsthumbnail.
#
# Both make 70-pixel-high thumbnails of the same files, with all cores: ours through
# wexbo_thumbnail_bench (MakeThumbnail on one worker thread per core: decode at the DCT scale
# the thumbnail needs, resize, frame, save), vipsthumbnail with -s 100000x70 (height 70 for every
# picture) and its own thread pool. The pictures are those of ../shared/bench/make_corpus.sh:
# /tmp/corpus60 (60 photographs) and /tmp/corpus_bignoisy (12 camera-size 24-MP files).
# The two tools take turns, and which goes first alternates from round to round, so that load from
# other work on the machine falls on both alike; the medians of the rounds are compared.
#
#   bench/thumbnails.sh [ROUNDS]     from the project root; 7 rounds unless told
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-7}
corpus60=/tmp/corpus60
bignoisy=/tmp/corpus_bignoisy

if [ ! -d "$corpus60" ] || [ ! -d "$bignoisy" ]; then
  if [ -x ../shared/bench/make_corpus.sh ]; then
    ../shared/bench/make_corpus.sh
  else
    echo "thumbnails.sh: $corpus60 or $bignoisy is missing; run make_corpus.sh first" >&2
    exit 1
  fi
fi
if ! command -v vipsthumbnail >/dev/null; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get install -y -qq --no-install-recommends libvips-tools >/dev/null
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target wexbo_thumbnail_bench >/dev/null
ours=build/bench/wexbo_thumbnail_bench
cores=$(nproc)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/vips"

# "wall/cpu" seconds of a command (cpu = user + system), its output dropped.
seconds() {
  /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" >/dev/null 2>&1 || { echo "failed: $1" >&2; exit 1; }
  awk '{ printf "%s/%.2f", $1, $2 + $3 }' "$work/time"
}
# Peak resident memory (MB) of a command.
peak_mb() {
  /usr/bin/time -f %M -o "$work/time" "$@" >/dev/null 2>&1 || { echo "failed: $1" >&2; exit 1; }
  awk '{ printf "%.1f", $1 / 1024 }' "$work/time"
}
median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

run_ours=("$ours" --jobs "$cores" "$work/ours")
run_vips=(vipsthumbnail -s 100000x70 -o "$work/vips/%s.jpg[Q=95]")

echo "Thumbnails 70 px high, $rounds rounds, $cores cores, load before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-27s %7s %7s %6s %8s %8s\n' "set" "ours s" "vips s" "ratio" "ours cpu" "vips cpu"
total_ours=0
total_vips=0
detail=""
for dir in "$corpus60" "$bignoisy"; do
  set=$(basename "$dir")
  files=("$dir"/*.jpg)
  o_wall="" v_wall="" o_cpu="" v_cpu=""
  detail+="$set, each round ours/vips wall (cpu) seconds:"
  for ((r = 1; r <= rounds; r++)); do
    if ((r % 2)); then
      o=$(seconds "${run_ours[@]}" "${files[@]}"); v=$(seconds "${run_vips[@]}" "${files[@]}")
    else
      v=$(seconds "${run_vips[@]}" "${files[@]}"); o=$(seconds "${run_ours[@]}" "${files[@]}")
    fi
    o_wall+=" ${o%/*}"; v_wall+=" ${v%/*}"; o_cpu+=" ${o#*/}"; v_cpu+=" ${v#*/}"
    detail+=" ${o%/*}/${v%/*} (${o#*/}/${v#*/})"
  done
  detail+=$'\n'
  om=$(echo "$o_wall" | median)
  vm=$(echo "$v_wall" | median)
  printf '%-27s %7.3f %7.3f %6.3f %8.2f %8.2f\n' "$set (${#files[@]} files)" "$om" "$vm" \
    "$(awk -v a="$om" -v b="$vm" 'BEGIN { print a / b }')" "$(echo "$o_cpu" | median)" "$(echo "$v_cpu" | median)"
  total_ours=$(awk -v a="$total_ours" -v b="$om" 'BEGIN { print a + b }')
  total_vips=$(awk -v a="$total_vips" -v b="$vm" 'BEGIN { print a + b }')
done
printf '%-27s %7.3f %7.3f %6.3f\n' "both sets" "$total_ours" "$total_vips" \
  "$(awk -v a="$total_ours" -v b="$total_vips" 'BEGIN { print a / b }')"
echo "(medians of wall seconds; cpu = user + system seconds, median)"
printf '%s' "$detail"

# Peak memory for one 24-MP baseline file, one picture at a time.
big=$(ls "$bignoisy"/*.jpg | head -1)
echo "Peak memory, one 24-MP baseline picture ($(basename "$big")):" \
  "ours $(peak_mb "$ours" --jobs 1 "$work/ours" "$big") MB," \
  "vipsthumbnail $(peak_mb "${run_vips[@]}" "$big") MB"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
