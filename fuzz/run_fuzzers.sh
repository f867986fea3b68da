#!/usr/bin/env bash
# Runs every fuzz target of a build for a while, one after another, each on
# its own corpus (kept between runs under the build directory).
#   fuzz/run_fuzzers.sh BUILD_DIR SECONDS_PER_TARGET [TARGET...]
set -euo pipefail
build=$1
seconds=$2
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for binary in "$build"/fuzz/*_fuzz; do targets+=("$(basename "$binary")"); done
fi
failed=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus" "$build/crashes"
  echo "== $target for $seconds s"
  if ! nice -n 15 "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
      -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$build/crashes/$target-" \
      "$corpus" 2>"$build/$target.log"; then
    echo "   FAILED: see $build/$target.log and $build/crashes/" >&2
    failed=1
  fi
  grep -E "^stat::number_of_executed_units|^Done|ERROR|SUMMARY" "$build/$target.log" || true
done
exit $failed
