#!/usr/bin/env bash
# Uploads the same 200 mixed files to a loopback pyftpdlib twice, once with UploadFTPS (through
# bench/upload-driver.cpp) and once with lftp's "mirror -R", and prints both times and their ratio.
#   bench/upload-ftp.sh [BUILD_DIR]      (default ./build; builds quib_uploaddriver when needed)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
python=/usr/bin/python3
[ -x "$python" ] || python=python3
command -v lftp >/dev/null || { echo "lftp is missing (Debian package lftp; scripts/setup installs it)" >&2; exit 1; }
"$python" -c "import pyftpdlib" 2>/dev/null || { echo "python3-pyftpdlib is missing" >&2; exit 1; }
cmake --build "$build" --target quib_uploaddriver >/dev/null
driver=$build/quib_uploaddriver

work=$(mktemp -d)
server_pid=
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# 200 files: pages, style sheets and images of mixed sizes, in the site folder and four sub-folders.
mkdir -p "$work/site" "$work/root/quib" "$work/root/lftp"
"$python" - "$work/site" <<'PY'
import os, random, sys
random.seed(7)
root = sys.argv[1]
kinds = [("html", 2_000, 30_000), ("css", 500, 8_000), ("png", 5_000, 400_000), ("js", 1_000, 60_000)]
for n in range(200):
    folder = root if n % 5 == 0 else os.path.join(root, "part%d" % (n % 5))
    os.makedirs(folder, exist_ok=True)
    ext, low, high = kinds[n % len(kinds)]
    with open(os.path.join(folder, "file%03d.%s" % (n, ext)), "wb") as f:
        f.write(os.urandom(random.randint(low, high)))
PY
count=$(find "$work/site" -type f | wc -l)
bytes=$(du -sb "$work/site" | cut -f1)

password=bench-$RANDOM$RANDOM
mkfifo "$work/ctl"
"$python" -W ignore "$here/tests/publishing/servers/ftp_server.py" --root "$work/root" \
  --password "$password" <"$work/ctl" >"$work/ports" &
server_pid=$!
exec 3>"$work/ctl"
for _ in $(seq 50); do grep -q '^FTP ' "$work/ports" 2>/dev/null && break; sleep 0.1; done
port=$(awk '/^FTP /{print $2}' "$work/ports")
[ -n "$port" ] || { echo "the FTP server did not start" >&2; exit 1; }

now_ms() { date +%s%3N; }

start=$(now_ms)
QUIB_UPLOAD_PASSWORD=$password "$driver" 127.0.0.1 "$port" quib "$work/site" quib
quib_ms=$(( $(now_ms) - start ))

start=$(now_ms)
lftp -c "set cmd:fail-exit yes; set ftp:passive-mode on; set net:max-retries 1;
         open -u quib,$password ftp://127.0.0.1:$port; mirror -R --no-perms $work/site lftp" >/dev/null
lftp_ms=$(( $(now_ms) - start ))

quib_count=$(find "$work/root/quib" -type f | wc -l)
lftp_count=$(find "$work/root/lftp" -type f | wc -l)
diff -r "$work/site" "$work/root/quib" >/dev/null || { echo "UploadFTPS copy differs from the source" >&2; exit 1; }
exec 3>&-

echo "files: $count ($bytes bytes)"
echo "UploadFTPS: $quib_count files in $quib_ms ms"
echo "lftp mirror -R: $lftp_count files in $lftp_ms ms"
awk -v q="$quib_ms" -v l="$lftp_ms" 'BEGIN { printf "ratio UploadFTPS/lftp: %.2f\n", (l > 0 ? q / l : 0) }'
