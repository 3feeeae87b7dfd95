#!/usr/bin/env bash
# The time a fresh clone's `make test` takes: clones REF of this repository into
# a scratch folder, runs `make test` there under /usr/bin/time and prints the
# wall time, the CPU time (user + sys of every compiler, linker and test) and
# the machine's load before and after.
#
# Usage: bench/build_time.sh [--ccache cold|warm|off] [--sanitize] [--keep] [REF]
#   --ccache off   (default) CCACHE_DISABLE=1: every file is compiled
#   --ccache cold  ccache on, with an empty cache of its own in the scratch folder
#   --ccache warm  ccache on with that same cache, after an untimed build of a
#                  first clone at the same place fills it (what a second
#                  clone of the same sources costs)
#   --sanitize     then `make sanitize` in the same clone, timed on its own
#   --keep         leave the scratch folder (its path is printed)
#   REF            a commit or branch; HEAD by default
#
# The CPU time hardly depends on what else the machine runs, the wall time
# does: on a machine with N free cores the wall time is about
# CPU / N + the serial parts (configure, the last links, the longest tests).
set -euo pipefail

mode=off sanitize=0 keep=0 ref=HEAD
while [[ $# -gt 0 ]]; do
  case $1 in
    --ccache) mode=$2; shift 2 ;;
    --sanitize) sanitize=1; shift ;;
    --keep) keep=1; shift ;;
    -h | --help) sed -n '2,18p' "$0"; exit 0 ;;
    *) ref=$1; shift ;;
  esac
done
case $mode in off | cold | warm) ;; *) echo "build_time.sh: --ccache off|cold|warm" >&2; exit 2 ;; esac

repo=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse --verify "$ref^{commit}")
scratch=$(mktemp -d /tmp/trazel-build-time.XXXXXX)
if [[ $keep -eq 0 ]]; then
  trap 'rm -rf "$scratch"' EXIT
fi

clone() {
  git clone -q --no-checkout "$repo" "$1"
  git -C "$1" checkout -q --detach "$commit"
}

# Only the variables this script sets decide whether and where ccache works.
unset CCACHE_DISABLE CCACHE_DIR CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER
export CCACHE_DIR=$scratch/ccache CCACHE_BASEDIR=$scratch CCACHE_NOHASHDIR=1
if [[ $mode == off ]]; then
  export CCACHE_DISABLE=1
fi
if [[ $mode == warm ]]; then
  # At the same place, as a CI job clones into the same folder every time:
  # the test programs' compile lines hold the clone's absolute paths.
  echo "Filling the cache with an untimed build of a first clone..."
  clone "$scratch/trazel"
  make -C "$scratch/trazel" build >"$scratch/first.log" 2>&1
  rm -rf "$scratch/trazel"
fi

timed() {
  local name=$1
  shift
  local before after
  before=$(uptime)
  /usr/bin/time -v -o "$scratch/$name.time" "$@" >"$scratch/$name.log" 2>&1 || {
    echo "$name failed; the log is in $scratch/$name.log" >&2
    keep=1
    trap - EXIT
    exit 1
  }
  after=$(uptime)
  awk -v name="$name" -v before="$before" -v after="$after" -F': ' '
    /User time/ { user = $2 }
    /System time/ { sys = $2 }
    /Elapsed \(wall clock\)/ {
      n = split($2, p, ":"); wall = 0
      for (i = 1; i <= n; i++) wall = wall * 60 + p[i]
    }
    END {
      printf "%s: wall %.0f s, CPU %.0f s (user %.0f + sys %.0f), CPU/2 cores %.0f s\n",
        name, wall, user + sys, user, sys, (user + sys) / 2
      sub(/.*load average: /, "", before); sub(/.*load average: /, "", after)
      printf "  load average before: %s, after: %s\n", before, after
    }' "$scratch/$name.time"
}

clone "$scratch/trazel"
echo "commit $commit, ccache $mode, $(nproc) cores"
timed make_test make -C "$scratch/trazel" test
grep -E "tests passed|Total Test time" "$scratch/make_test.log" | sed 's/^/  /'
if [[ $sanitize -eq 1 ]]; then
  timed make_sanitize make -C "$scratch/trazel" sanitize
  grep -E "tests passed|Total Test time" "$scratch/make_sanitize.log" | sed 's/^/  /'
fi
if [[ $keep -eq 1 ]]; then
  echo "scratch folder: $scratch"
fi
