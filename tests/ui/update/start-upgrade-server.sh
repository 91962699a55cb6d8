#!/usr/bin/env bash
# tests/ui/update/start-upgrade-server.sh FIXTURE_DIR
# Starts a web server on 127.0.0.1 for the update check's tests and leaves it running in the
# background (stop-upgrade-server.sh ends it; it ends by itself after a few minutes anyway).
# Files: <dir>/upgrade-server/port (the port it listens on), pid, and www/ with the offers.
# Path /stall accepts the request and never answers: a download that does not end.
set -euo pipefail
root="${1:?fixture folder}/upgrade-server"
rm -rf "$root"
mkdir -p "$root/www"
www="$root/www"
offer() { printf '[VERSION]\r\nProduct Version=%s\r\nURL=%s\r\n' "$2" "$3" > "$www/$1"; }
offer newer.ini "3.3.0.0" "http://127.0.0.1/download.html"
offer same.ini "3.2.9.9" "http://127.0.0.1/download.html"
offer short.ini "3.2" "http://127.0.0.1/download.html"
offer program.ini "9.0.0.0" "C:\\windows\\system32\\calc.exe"
printf 'this is not an ini file\n' > "$www/garbage.ini"
# A newer offer padded to a size no offer has: a server must not fill the disk.
{ printf '[VERSION]\r\nProduct Version=9.0.0.0\r\nURL=http://127.0.0.1/download.html\r\n'
  head -c 200000 /dev/zero | tr '\0' ';'; } > "$www/huge.ini"

cat > "$root/server.py" <<'PY'
import http.server, os, socketserver, sys, time
www, portfile = sys.argv[1], sys.argv[2]
class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *a, **k):
        super().__init__(*a, directory=www, **k)
    def do_GET(self):
        if self.path.startswith("/stall"):
            time.sleep(120)
            return
        super().do_GET()
    def log_message(self, *a):
        pass
class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
server = Server(("127.0.0.1", 0), Handler)
with open(portfile + ".tmp", "w") as f:
    f.write(str(server.server_address[1]))
os.rename(portfile + ".tmp", portfile)
server.serve_forever()
PY
setsid timeout 300 python3 "$root/server.py" "$www" "$root/port" \
    </dev/null >/dev/null 2>&1 &
echo $! > "$root/pid"
for _ in $(seq 50); do
    [ -s "$root/port" ] && exit 0
    sleep 0.1
done
echo "upgrade server did not start" >&2
exit 1
