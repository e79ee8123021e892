#!/usr/bin/env bash
# Runs the shipped level under valgrind's memcheck; fails on any memory error and on
# any definite leak. driver.supp beside this script leaves out the GL stack's own
# reports. --keep-debuginfo keeps the driver's name on its frames after glfwTerminate
# has unloaded it, which those suppressions match on.
#   memcheck.sh <shipped_level_run> <data folder> <frames>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec valgrind --tool=memcheck --error-exitcode=1 --leak-check=full \
    --errors-for-leak-kinds=definite --show-leak-kinds=definite --keep-debuginfo=yes \
    --num-callers=30 --suppressions="$here/driver.supp" "$1" "$2" "$3"
