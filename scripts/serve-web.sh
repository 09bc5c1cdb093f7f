#!/usr/bin/env bash
# Builds the browser version and serves it on this machine:
#   scripts/serve-web.sh [PORT]     (default 8080)
# then open the printed address. Ctrl-C stops the server.
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8080}
scripts/build-web.sh
echo "Serving build-web/site/ at http://127.0.0.1:$port/ (Ctrl-C stops)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
