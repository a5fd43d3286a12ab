#!/usr/bin/env bash
# Plants the single-line faults listed in scripts/mutants.txt, one at a time, in a scratch clone
# of this repository's HEAD, rebuilds the test programs incrementally (one build folder for all
# faults) and runs the tests on each. A fault the tests miss "survived": either it changes
# nothing a user can observe (say why in docs/RELIABILITY.md) or a test is missing.
#
# Usage: scripts/mutants.sh [--no-ui] [--only PATTERN] [--list FILE] [--timeout SECONDS] [--keep]
#   --no-ui        build without the Qt editor and skip its tests (much faster)
#   --only PATTERN run only the faults whose line matches PATTERN (grep -E)
#   --list FILE    another fault list (default scripts/mutants.txt)
#   --timeout S    the tests' time per fault, in seconds (default 900); a fault that makes them
#                  hang past it counts as caught
#   --keep         keep the scratch folder (printed at the end); MUTANTS_DIR chooses where it goes
#   --dry-run      only say which faults apply to the current files (no clone, no build)
# The list's lines are: file TAB text to find TAB replacement TAB description; "#" starts a
# comment line. The text must occur exactly once in the file, else the fault is reported
# "not applied" (the file changed since the fault was written down) and not counted.
set -u
root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
list="$root/scripts/mutants.txt"
ui=ON
only=""
per_fault=900
keep=0
dry=0
while [ $# -gt 0 ]; do
  case "$1" in
    --no-ui) ui=OFF ;;
    --only) only="$2"; shift ;;
    --list) list=$(realpath "$2"); shift ;;
    --timeout) per_fault="$2"; shift ;;
    --keep) keep=1 ;;
    --dry-run) dry=1 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
  shift
done

if [ $dry = 1 ]; then
  scratch=""
  src="$root"
else
  # Inside the work tree by default (ignored by git): with the build folder inside the clone, as
  # in the work tree, the compiler cache serves every file the faults leave alone.
  mkdir -p "${MUTANTS_DIR:-$root/build-mutants}"
  scratch=$(mktemp -d "${MUTANTS_DIR:-$root/build-mutants}/run.XXXXXX")
  src="$scratch/repo"
  build="$src/build"
  log="$scratch/log"
  mkdir -p "$log"
  cleanup() { [ $keep = 1 ] || [ -z "$scratch" ] || rm -rf "$scratch"; }
  trap cleanup EXIT

  commit=$(git -C "$root" rev-parse HEAD)
  git clone --quiet --no-checkout "$root" "$src" && git -C "$src" checkout --quiet --detach "$commit" || {
    echo "cannot clone $root" >&2; exit 2; }

  targets=(core_tests aethrian-cli)
  # The editor too: the versions test asks it for its --version and --help.
  [ $ui = ON ] && targets+=(ui_tests aethrian-editor)

  # 3: does not compile; 124: the tests ran past the time limit; other non-zero: a test failed.
  build_and_test() {
    cmake --build "$build" -j 2 --target "${targets[@]}" >"$1.build" 2>&1 || return 3
    (cd "$build" && QT_QPA_PLATFORM=offscreen timeout --kill-after=10 "$per_fault" \
      ctest -j 2 --stop-on-failure --timeout "$per_fault" >"$1.test" 2>&1)
  }

  echo "scratch clone of $commit in $scratch (UI tests: $ui)"
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAETHRIAN_BUILD_UI=$ui \
    >"$log/configure" 2>&1 || { cat "$log/configure"; exit 2; }
  build_and_test "$log/baseline"
  rc=$?
  if [ $rc != 0 ]; then
    echo "the unchanged code does not pass its tests (rc $rc); see $log/baseline.*" >&2
    keep=1
    exit 2
  fi
fi

# "<NL>" in a fault's texts stands for a line break.
perl_find='my $f = $ENV{FIND}; $f =~ s/<NL>/\n/g; '
applied=0
killed=0
survivors=()
skipped=()
n=0
while IFS=$'\t' read -r file find replace description || [ -n "${file:-}" ]; do
  case "$file" in ''|'#'*) continue ;; esac
  n=$((n + 1))
  line="$file	$find	$replace	$description"
  if [ -n "$only" ] && ! grep -Eq -- "$only" <<<"$line"; then continue; fi
  id=$(printf '%02d' $n)
  target="$src/$file"
  count=0
  [ -f "$target" ] && count=$(FIND="$find" perl -0777 -ne "$perl_find"'my $n = () = /\Q$f\E/g; print $n' "$target")
  if [ "$count" != 1 ]; then
    echo "[$id] not applied (text found $count times): $file: $description"
    skipped+=("$id $file: $description")
    continue
  fi
  if [ $dry = 1 ]; then
    echo "[$id] would plant: $file: $description"
    continue
  fi
  FIND="$find" REPL="$replace" perl -0777 -pi -e "$perl_find"'my $r = $ENV{REPL}; $r =~ s/<NL>/\n/g; s/\Q$f\E/$r/' "$target"
  start=$(date +%s)
  build_and_test "$log/$id"
  rc=$?
  git -C "$src" checkout --quiet -- "$file"
  secs=$(($(date +%s) - start))
  case $rc in
    0) verdict="SURVIVED"; survivors+=("$id $file: $description"); applied=$((applied + 1)) ;;
    3) verdict="does not compile (not counted)"; skipped+=("$id $file: $description (does not compile)") ;;
    124) verdict="caught (timeout)"; killed=$((killed + 1)); applied=$((applied + 1)) ;;
    *) verdict="caught"; killed=$((killed + 1)); applied=$((applied + 1)) ;;
  esac
  echo "[$id] $verdict in ${secs}s: $file: $description"
done <"$list"

echo
echo "planted $applied faults, caught $killed"
if [ $applied -gt 0 ]; then
  echo "kill rate: $((killed * 100 / applied))% ($killed of $applied)"
fi
if [ ${#survivors[@]} -gt 0 ]; then
  echo "survivors:"
  printf '  %s\n' "${survivors[@]}"
fi
if [ ${#skipped[@]} -gt 0 ]; then
  echo "not counted:"
  printf '  %s\n' "${skipped[@]}"
fi
[ $keep = 1 ] && [ -n "$scratch" ] && echo "scratch folder kept: $scratch"
exit 0
