#!/usr/bin/env bash
# Fails when a C++ file of the project is not in the style of .clang-format; fix with
#   git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
