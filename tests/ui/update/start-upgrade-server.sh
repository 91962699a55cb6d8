#!/usr/bin/env bash
# tests/ui/update/start-upgrade-server.sh FIXTURE_DIR
# Starts a web server on 127.0.0.1 for the update check's tests and leaves it running in the
# background (stop-upgrade-server.sh ends it; it ends by itself after a few minutes anyway).
# Files: <dir>/upgrade-server/port (the port it listens on), pid, www/ with the offers, and
# log (a line per request: "GET <path>"; "sent <path> <bytes>" when a body ends; "closed
# <path>" when the client hung up on an answer that never ends).
# Paths beyond the files (any query is ignored, any suffix after the name is a test's tag):
#   /stall...   takes the request and never answers
#   /trickle... answers 200 with a few bytes of a longer body, then nothing more
#   /big...     answers 200 with a body of 100 MiB
#   /loopTAG/N  redirects to /loopTAG/N+1, for ever
#   /hop/N/X    redirects N times (relative addresses), then to the file X
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
import http.server, os, socketserver, sys, threading, time
www, portfile, logfile = sys.argv[1], sys.argv[2], sys.argv[3]
lock = threading.Lock()
def log(line):
    with lock, open(logfile, "a") as f:
        f.write(line + "\n")
class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *a, **k):
        super().__init__(*a, directory=www, **k)
    def wait_for_hang_up(self):
        self.connection.settimeout(120)
        try:
            while self.connection.recv(4096):
                pass
        except OSError:
            pass
        log("closed " + self.path)
    def redirect(self, where):
        self.send_response(302)
        self.send_header("Location", where)
        self.send_header("Content-Length", "0")
        self.end_headers()
    def do_GET(self):
        log("GET " + self.path)
        path = self.path.split("?")[0]
        parts = path.split("/")
        if path.startswith("/stall"):
            self.wait_for_hang_up()
        elif path.startswith("/trickle"):
            self.send_response(200)
            self.send_header("Content-Length", "16000")
            self.end_headers()
            self.wfile.write(b"[VERSION]\r\n")
            self.wfile.flush()
            self.wait_for_hang_up()
        elif path.startswith("/big"):
            self.send_response(200)
            self.send_header("Content-Length", str(100 << 20))
            self.end_headers()
            sent, chunk = 0, b";" * 65536
            try:
                while sent < (100 << 20):
                    self.wfile.write(chunk)
                    sent += len(chunk)
            except OSError:
                pass
            log("sent %s %d" % (self.path, sent))
        elif len(parts) == 3 and parts[1].startswith("loop"):
            self.redirect("/%s/%d" % (parts[1], int(parts[2]) + 1))
        elif len(parts) == 4 and parts[1] == "hop":
            n = int(parts[2])
            self.redirect("../%d/%s" % (n - 1, parts[3]) if n > 0 else "/" + parts[3])
        else:
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
setsid timeout 300 python3 "$root/server.py" "$www" "$root/port" "$root/log" \
    </dev/null >/dev/null 2>&1 &
echo $! > "$root/pid"
for _ in $(seq 50); do
    [ -s "$root/port" ] && exit 0
    sleep 0.1
done
echo "upgrade server did not start" >&2
exit 1
