#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a bounded time on a corpus seeded from examples/.
# A crash leaves its input in build-fuzz/findings/<target>/; copy it to tests/fuzz-regressions/<target>/
# so that `make test` replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-20}"
make fuzz
for target in build-fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="build-fuzz/corpus/$name"
  findings="build-fuzz/findings/$name"
  mkdir -p "$corpus" "$findings"
  cp examples/* "$corpus"/ 2>/dev/null || true
  [ -d "tests/fuzz-regressions/$name" ] && cp "tests/fuzz-regressions/$name"/* "$corpus"/ 2>/dev/null || true
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" 2>&1 | grep -E "^(stat::number_of_executed_units|==|SUMMARY|INFO: Running)" || true
  if ls "$findings"/* >/dev/null 2>&1; then
    echo "$name found a failing input: $(ls "$findings")"
    exit 1
  fi
done
