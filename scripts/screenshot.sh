#!/usr/bin/env bash
# Starts Quillon on a virtual display, optionally on a saved game, and writes
# a PNG of its window.
#   scripts/screenshot.sh [game.qln] out.png
# QUILLON names the executable (default: build/release/app/quillon, where
# scripts/play.sh builds it); WAIT the
# seconds to let it draw (default 3); SCREEN the virtual screen (default
# 1280x1024x24).
# POSE=square shows the game in two-player mode with the piece on that square
# taken up, through the test build's probe (PROBE, default
# build/dev/tests/view/appprobe); SIZE="width height" sizes its window.
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
screen=${SCREEN:-1280x1024x24}
command=("$quillon" "${game[@]}")
if [ -n "${POSE:-}" ]; then
    [ ${#game[@]} -eq 1 ] || { echo "POSE needs a game" >&2; exit 2; }
    # shellcheck disable=SC2206
    command=("$(realpath "${PROBE:-build/dev/tests/view/appprobe}")" pose "${game[0]}" "$POSE" ${SIZE:-})
fi

inner=$(mktemp)
trap 'rm -f "$inner"' EXIT
cat >"$inner" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
out=$1 wait_seconds=$2
shift 2
"$@" &
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
xvfb-run -a -s "-screen 0 $screen" "$inner" "$out" "$wait_seconds" "${command[@]}"
echo "wrote $out"
