#!/usr/bin/env bash
# Fails when a source file is not formatted as .clang-format says; lists them.
# Pinned to clang-format 14 (Debian 12's): another version formats otherwise.
# To format: git ls-files '*.cpp' '*.h' | xargs clang-format-14 -i
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-format-14
mal=()
while IFS= read -r f; do
  clang-format-14 --style=file "$f" | cmp -s - "$f" || mal+=("$f")
done < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp')
if [ ${#mal[@]} -gt 0 ]; then
  echo "Sin el formato de .clang-format (clang-format-14 -i para darlo):" >&2
  printf '  %s\n' "${mal[@]}" >&2
  exit 1
fi
