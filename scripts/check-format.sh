#!/usr/bin/env bash
# Fails when a C++ file of src/, tests/, bench/, fuzz/ or tools/ differs from the committed
# .clang-format, naming the first lines that differ.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' \
                                  'bench/*.h' 'fuzz/*.cpp' 'tools/*.cpp')
clang-format --dry-run -Werror "${files[@]}"
echo "format: ${#files[@]} files as .clang-format has them"
