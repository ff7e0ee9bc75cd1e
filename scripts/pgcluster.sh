# Shared by scripts/test and scripts/run: a private PostgreSQL cluster in a folder.
# Source this file; it defines functions only.

pg_bindir() {
  local initdb
  initdb=$(ls -d /usr/lib/postgresql/*/bin/initdb 2>/dev/null | sort -V | tail -n 1)
  [ -n "$initdb" ] || { echo "PostgreSQL server tools not found" >&2; return 1; }
  dirname "$initdb"
}

# Runs a command as the cluster's owner: root may not run the server itself.
pg_as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

# A TCP port on 127.0.0.1 that nothing listens on.
pg_free_port() {
  local port
  for port in $(seq "${1:-55432}" 65000); do
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "$port"
      return 0
    fi
  done
  return 1
}

# pg_init DIR SUPERUSER PASSWORD: a new cluster with SCRAM authentication.
pg_init() {
  local dir=$1 user=$2 password=$3 bindir pwfile
  bindir=$(pg_bindir) || return 1
  mkdir -p "$dir"
  [ "$(id -u)" -eq 0 ] && chown postgres:postgres "$dir"
  chmod 700 "$dir"
  pwfile=$(mktemp)
  printf '%s\n' "$password" > "$pwfile"
  chmod 644 "$pwfile"
  pg_as_owner "$bindir/initdb" -D "$dir/data" -U "$user" --pwfile="$pwfile" \
    --auth-local=scram-sha-256 --auth-host=scram-sha-256 \
    -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1
  local rc=$?
  rm -f "$pwfile"
  return $rc
}

# pg_start DIR PORT: starts the cluster with its socket in DIR, listening on 127.0.0.1 only.
pg_start() {
  local dir=$1 port=$2 bindir
  bindir=$(pg_bindir) || return 1
  pg_as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
    -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c max_connections=200 -c fsync=${PG_FSYNC:-on}" \
    start >/dev/null
}

pg_stop() {
  local dir=$1 bindir
  bindir=$(pg_bindir) || return 1
  [ -f "$dir/data/postmaster.pid" ] || return 0
  pg_as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
}

# A folder that the cluster's owner can reach: the wanted one, or one under /tmp.
# Unix socket paths are limited to about 100 characters.
pg_usable_dir() {
  local want=$1
  mkdir -p "$want"
  if [ "$(id -u)" -eq 0 ]; then
    chown postgres:postgres "$want" 2>/dev/null
    if ! runuser -u postgres -- test -w "$want" 2>/dev/null || [ ${#want} -gt 80 ]; then
      want=$(mktemp -d /tmp/tarmil5-pg.XXXXXX)
      chown postgres:postgres "$want"
    fi
  elif [ ${#want} -gt 80 ]; then
    want=$(mktemp -d /tmp/tarmil5-pg.XXXXXX)
  fi
  echo "$want"
}
