# A throwaway PostgreSQL 15 server for the tests and the benchmark, sourced:
#   pg_start   initdb into a temporary folder and start a server that listens
#              only on a Unix socket in that folder; exports PGHOST, PGPORT,
#              PGUSER and pg_dir (readable by the server, for COPY files)
#   pg_start_more PORT
#              one more server beside it (after pg_start), for shards: its
#              own data folder in pg_dir, the same socket folder, port PORT
#   pg_start_shards N
#              pg_start (the coordinator) and N shards on ports 5433 on, the
#              extension created on each; on the coordinator, postgres_fdw and
#              a foreign server per shard (shard1...) that ships the
#              extension's functions, scans concurrently and inserts in batches
#   pg_stop    stop them all and remove the folder (safe to call twice)
#   pg_install_extension
#              build the extension with PGXS against the engines of build/db
#              (built by the caller) and install it (quiet: output on failure)
# The server never runs as root: as root, it runs as the postgres user.
# Its environment names the C locale: the settings of a "$" user.
pg_bin=$(pg_config --bindir)
pg_dir=""
pg_as=()

pg_start() {
  pg_dir=$(mktemp -d /tmp/zorva-pg.XXXXXX)
  chmod 755 "$pg_dir"
  if [ "$(id -u)" -eq 0 ]; then
    pg_as=(runuser -u postgres --)
    chown postgres "$pg_dir"
  fi
  pg_run data 5432 || return 1
  export PGHOST=$pg_dir PGPORT=5432 PGUSER=postgres PGDATABASE=postgres
}

pg_start_more() {  # port
  [ -n "$pg_dir" ] || { echo "pg_start_more: pg_start first" >&2; return 1; }
  pg_run "data-$1" "$1"
}

pg_start_shards() {  # count
  local i port
  pg_start && psql -X -q -v ON_ERROR_STOP=1 -c 'CREATE EXTENSION zorva' -c 'CREATE EXTENSION postgres_fdw' ||
    return 1
  for ((i = 1; i <= $1; i++)); do
    port=$((5432 + i))
    pg_start_more $port && psql -X -q -p $port -c 'CREATE EXTENSION zorva' &&
      psql -X -q -v ON_ERROR_STOP=1 <<SQL || return 1
CREATE SERVER shard$i FOREIGN DATA WRAPPER postgres_fdw OPTIONS (host '$pg_dir', port '$port',
  dbname 'postgres', extensions 'zorva', async_capable 'true', batch_size '1000');
CREATE USER MAPPING FOR postgres SERVER shard$i OPTIONS (user 'postgres');
SQL
  done
}

# initdb into pg_dir/NAME and start the server on PORT; the logs are
# NAME.initdb.log and NAME.log beside it.
pg_run() {  # name, port
  local data=$pg_dir/$1
  "${pg_as[@]}" env LC_ALL=C timeout 120 "$pg_bin/initdb" -D "$data" -U postgres -A trust \
    -E UTF8 --locale=C >"$data.initdb.log" 2>&1 || { cat "$data.initdb.log"; return 1; }
  "${pg_as[@]}" env LC_ALL=C timeout 120 "$pg_bin/pg_ctl" -D "$data" -l "$data.log" -w \
    -o "-c listen_addresses='' -k $pg_dir -p $2 -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
    start >/dev/null || { cat "$data.log"; return 1; }
}

pg_stop() {
  [ -n "$pg_dir" ] || return 0
  local data
  for data in "$pg_dir"/data "$pg_dir"/data-*; do
    [ -d "$data" ] && "${pg_as[@]}" timeout 120 "$pg_bin/pg_ctl" -D "$data" -m fast -w stop >/dev/null 2>&1
  done
  rm -rf "$pg_dir"
  pg_dir=""
}

pg_install_extension() {
  local sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  cmake --build build/db --target zorva_sql >/dev/null &&
    quiet timeout 300 make -C postgres ZORVA_BUILD="$PWD/build/db" &&
    quiet timeout 60 "${sudo_cmd[@]}" make -C postgres install
}
