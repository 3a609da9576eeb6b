#!/usr/bin/env bash
# Starts Quillon on a virtual display, optionally on a saved game, and writes
# a PNG of its window.
#   scripts/screenshot.sh [game.qln] out.png
# QUILLON names the executable (default: build/release/app/quillon, where
# scripts/play.sh builds it); WAIT the
# seconds to let it draw (default 3).
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 [game.qln] out.png" >&2
    exit 2
fi
# Paths given are relative to where the script is started.
game=()
if [ $# -eq 2 ]; then
    game=("$(realpath "$1")")
    shift
fi
out=$(realpath -m "$1")
[ -n "${QUILLON:-}" ] && QUILLON=$(realpath "$QUILLON")
cd "$(dirname "$0")/.."
quillon=$(realpath "${QUILLON:-build/release/app/quillon}")
wait_seconds=${WAIT:-3}

inner=$(mktemp)
trap 'rm -f "$inner"' EXIT
cat >"$inner" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
out=$1 wait_seconds=$2 quillon=$3
shift 3
"$quillon" "$@" &
app=$!
sleep "$wait_seconds"
# The window sits at the top-left corner; crop the screen to its frame.
window=$(xwininfo -root -tree | awk '/"Quillon - / {print $1; exit}')
if [ -n "$window" ]; then
    import -window "$window" "$out"
else
    import -window root "$out"
fi
kill "$app"
INNER
chmod +x "$inner"
xvfb-run -a -s "-screen 0 800x600x24" "$inner" "$out" "$wait_seconds" "$quillon" "${game[@]}"
echo "wrote $out"
