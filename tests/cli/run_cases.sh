#!/usr/bin/env bash
# Runs every CLI case folder: `cmd` is run with bash in a scratch copy of the folder, with
# $CLI naming the binary; its stdout must equal `expected_stdout`, its exit code `expected_rc`
# (0 when absent) and, when present, `expected_stderr`. Files named expected_file.<name> must
# equal the file <name> the command wrote.
set -u
shopt -s nullglob
cases_dir="$1"
CLI="${AETHRIAN_CLI:?}"
export CLI
pass=0
fail=0
for case in "$cases_dir"/*/; do
  name=$(basename "$case")
  work=$(mktemp -d)
  cp -r "$case". "$work"/
  (cd "$work" && bash ./cmd >actual_stdout 2>actual_stderr; echo $? >actual_rc)
  ok=1
  expected_rc=0
  [ -f "$work/expected_rc" ] && expected_rc=$(cat "$work/expected_rc")
  [ "$(cat "$work/actual_rc")" = "$expected_rc" ] || { echo "[$name] exit $(cat "$work/actual_rc"), expected $expected_rc"; ok=0; }
  if [ -f "$work/expected_stdout" ] && ! cmp -s "$work/expected_stdout" "$work/actual_stdout"; then
    echo "[$name] stdout differs:"; diff "$work/expected_stdout" "$work/actual_stdout" | head -20; ok=0
  fi
  if [ -f "$work/expected_stderr" ] && ! cmp -s "$work/expected_stderr" "$work/actual_stderr"; then
    echo "[$name] stderr differs:"; diff "$work/expected_stderr" "$work/actual_stderr" | head -20; ok=0
  fi
  for exp in "$work"/expected_file.*; do
    [ -e "$exp" ] || continue
    target="$work/${exp##*/expected_file.}"
    cmp -s "$exp" "$target" || { echo "[$name] file ${target##*/} differs"; ok=0; }
  done
  if [ $ok = 1 ]; then pass=$((pass+1)); else fail=$((fail+1)); cat "$work/actual_stderr" | head -5; fi
  rm -rf "$work"
done
echo "cli cases: $pass passed, $fail failed"
[ $fail = 0 ]
