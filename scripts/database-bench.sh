#!/usr/bin/env bash
# The database benchmark: starts a throwaway PostgreSQL cluster, makes tables of a walk of
# 1e7 and 1e8 rows indexed on X (other counts as arguments), and times the query of a frame of
# the full view and of a pan in the release build, from the rows and from the tables'
# summaries. The cluster is stopped at the end. A cluster already running whose socket folder
# TWINSCOPE_BENCH_POSTGRES names is used instead, and kept with its tables.
#
#   bash scripts/database-bench.sh [ROWS...] [-- benchmark arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-counts.sh "$@"
[ ${#counts[@]} -gt 0 ] || counts=(10000000 100000000)
cmake --preset release >/dev/null
cmake --build --preset release --target twinscope_bench
if [ -z "${TWINSCOPE_BENCH_POSTGRES:-}" ]; then
  TWINSCOPE_BENCH_POSTGRES=$(bash scripts/postgres-cluster.sh)
  trap 'bash scripts/postgres-cluster.sh stop "$TWINSCOPE_BENCH_POSTGRES"' EXIT
fi
QT_QPA_PLATFORM=offscreen TWINSCOPE_BENCH_POSTGRES=$TWINSCOPE_BENCH_POSTGRES \
  TWINSCOPE_BENCH_ROWS="$(IFS=:; echo "${counts[*]}")" \
  ./build/release/bench/twinscope_bench --benchmark_filter=BM_Database ${args[@]+"${args[@]}"}
