#!/usr/bin/env bash
# packages: base zmask db
# The PostgreSQL extension: built with PGXS against the CMake-built engines,
# installed, and run by pg_regress against a server this script starts and
# stops (also when a test fails).
source "$(dirname "$0")/lib.sh"
source postgres/pg_server.sh
build_tree build/db -DCMAKE_BUILD_TYPE=Release -DZORVA_TESTS=OFF -DZORVA_BENCH=OFF -DZORVA_SQLITE=ON
pg_install_extension

trap pg_stop EXIT
pg_start
if ! timeout 240 make -C postgres installcheck EXTRA_REGRESS_OPTS="--outputdir=$pg_dir/regress"; then
  cat "$pg_dir/regress/regression.diffs" 2>/dev/null
  exit 1
fi
