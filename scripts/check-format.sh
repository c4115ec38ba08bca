#!/usr/bin/env bash
# Checks that the C++ sources follow .clang-format (Debian's clang-format 14):
# lists every file that differs and fails. To reformat them:
#   git ls-files '*.cpp' '*.h' | xargs clang-format-14 -i
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
format=$(command -v clang-format-14 || command -v clang-format)
differ=()
while IFS= read -r -d '' file; do
  "$format" --dry-run --Werror "$file" 2>/dev/null || differ+=("$file")
done < <(git ls-files -z --cached --others --exclude-standard '*.cpp' '*.h')
if [ ${#differ[@]} -gt 0 ]; then
  echo "These files do not follow .clang-format ($format):" >&2
  printf '  %s\n' "${differ[@]}" >&2
  exit 1
fi
