#!/usr/bin/env bash
# Runs every built fuzz_* program of a build directory for a few seconds each; fails on the
# first crash, leak or failed check. CI calls it after a -DVESPERINE_FUZZ=ON build.
#   fuzz/run-smoke.sh BUILD_DIR SECONDS
# A seed corpus in fuzz/corpus/<fuzzer name>/ is used when present (copied, never modified).
set -euo pipefail

build_dir=${1:?usage: run-smoke.sh BUILD_DIR SECONDS}
seconds=${2:?usage: run-smoke.sh BUILD_DIR SECONDS}
source_dir=$(cd "$(dirname "$0")" && pwd)

mapfile -t fuzzers < <(find "$build_dir" -type f -perm -u+x -name 'fuzz_*' | sort)
[ ${#fuzzers[@]} -gt 0 ] ||
  { echo "run-smoke: no fuzz_* programs under $build_dir (configure with -DVESPERINE_FUZZ=ON)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
for fuzzer in "${fuzzers[@]}"; do
  name=$(basename "$fuzzer")
  corpus="$work/$name"
  mkdir -p "$corpus"
  [ ! -d "$source_dir/corpus/$name" ] || cp -r "$source_dir/corpus/$name/." "$corpus/"
  echo "run-smoke: $name for ${seconds}s"
  if ! "$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -artifact_prefix="$work/$name-" "$corpus" > "$work/$name.log" 2>&1; then
    echo "run-smoke: $name FAILED; last lines of its log:" >&2
    tail -n 40 "$work/$name.log" >&2
    for artifact in "$work/$name"-*; do
      [ -e "$artifact" ] && cp "$artifact" . && echo "run-smoke: crashing input kept as ./$(basename "$artifact")" >&2
    done
    failed=1
  else
    grep -E '^(#[0-9]+.*DONE|Done)' "$work/$name.log" | tail -n 1 || true
  fi
done
exit $failed
