# A throwaway PostgreSQL 15 server for the tests and the benchmark, sourced:
#   pg_start   initdb into a temporary folder and start a server that listens
#              only on a Unix socket in that folder; exports PGHOST, PGPORT,
#              PGUSER and pg_dir (readable by the server, for COPY files)
#   pg_stop    stop it and remove the folder (safe to call twice)
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
  "${pg_as[@]}" env LC_ALL=C timeout 120 "$pg_bin/initdb" -D "$pg_dir/data" -U postgres -A trust \
    -E UTF8 --locale=C >"$pg_dir/initdb.log" 2>&1 || { cat "$pg_dir/initdb.log"; return 1; }
  "${pg_as[@]}" env LC_ALL=C timeout 120 "$pg_bin/pg_ctl" -D "$pg_dir/data" -l "$pg_dir/server.log" -w \
    -o "-c listen_addresses='' -k $pg_dir -p 5432 -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
    start >/dev/null || { cat "$pg_dir/server.log"; return 1; }
  export PGHOST=$pg_dir PGPORT=5432 PGUSER=postgres PGDATABASE=postgres
}

pg_stop() {
  [ -n "$pg_dir" ] || return 0
  "${pg_as[@]}" timeout 120 "$pg_bin/pg_ctl" -D "$pg_dir/data" -m fast -w stop >/dev/null 2>&1 || true
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
