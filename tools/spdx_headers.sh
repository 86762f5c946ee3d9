#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence line at the head of every source, build file and script
# that lacks it (after the #! line of a script). Safe to run again: files
# that have it are left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
line='SPDX-License-Identifier: GPL-3.0-or-later'

git ls-files '*.cpp' '*.h' '*CMakeLists.txt' '*.sh' '*.py' dev .ci/run | while read -r file; do
  head -n 3 "$file" | grep -q 'SPDX-License-Identifier' && continue
  case "$file" in
    *.cpp | *.h) comment="// $line" ;;
    *) comment="# $line" ;;
  esac
  if head -n 1 "$file" | grep -q '^#!'; then
    sed -i "1a $comment" "$file"
  else
    sed -i "1i $comment" "$file"
  fi
done
