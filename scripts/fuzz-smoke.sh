#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a bounded time on a corpus seeded from examples/.
#   FUZZ_SECONDS  time per target (default 20, as CI runs it)
#   FUZZ_RUNS     stop a target earlier after this many executions (default: no limit)
#   FUZZ_MAX_LEN  longest input tried (default 65536; long inputs are the hostile-file tests' job)
#   arguments     target names to run (default: every fuzz_* target)
# A crash leaves its input in build-fuzz/findings/<target>/; copy it to tests/fuzz-regressions/<target>/
# so that `make test` replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-20}"
runs="${FUZZ_RUNS:--1}"
max_len="${FUZZ_MAX_LEN:-65536}"
make fuzz
if [ $# -gt 0 ]; then
  targets=("${@/#/build-fuzz/}")
else
  targets=(build-fuzz/fuzz_*)
fi
for target in "${targets[@]}"; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="build-fuzz/corpus/$name"
  findings="build-fuzz/findings/$name"
  mkdir -p "$corpus" "$findings"
  cp examples/* "$corpus"/ 2>/dev/null || true
  [ -d "tests/fuzz-regressions/$name" ] && cp "tests/fuzz-regressions/$name"/* "$corpus"/ 2>/dev/null || true
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -runs="$runs" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" 2>&1 |
    grep -E "^(stat::number_of_executed_units|stat::average_exec_per_sec|==|SUMMARY|INFO: Running)" || true
  if ls "$findings"/* >/dev/null 2>&1; then
    echo "$name found a failing input: $(ls "$findings")"
    exit 1
  fi
done
