#!/usr/bin/env bash
# Starts a throwaway PostgreSQL cluster for the tests and prints the folder of its Unix socket,
# which TWINSCOPE_TEST_POSTGRES names to them; "postgres-cluster.sh stop FOLDER" stops it and
# removes the folder. The server runs as an unprivileged user: as root, as twinscope-pg (made
# when missing). It listens on no TCP port, and trusts the socket's users.
set -euo pipefail
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$bin" ] || { echo "postgres-cluster.sh: PostgreSQL is not installed" >&2; exit 1; }
as_owner=()
if [ "$(id -u)" -eq 0 ]; then
  id -u twinscope-pg >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin twinscope-pg
  as_owner=(runuser -u twinscope-pg --)
fi
if [ "${1:-}" = stop ]; then
  folder=$2
  "${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null 2>&1 || true
  rm -rf "$folder"
  exit 0
fi
folder=$(mktemp -d /tmp/twinscope-pg.XXXXXX)
chmod 755 "$folder"
[ ${#as_owner[@]} -gt 0 ] && chown twinscope-pg "$folder"
"${as_owner[@]}" "$bin/initdb" -D "$folder/data" -U postgres -A trust -E UTF8 >"$folder/initdb.log" 2>&1
"${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w \
  -o "-k $folder -c listen_addresses= -c fsync=off" start >/dev/null
echo "$folder"
