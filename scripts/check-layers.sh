#!/usr/bin/env bash
# Fails, naming each offending file:line, when a layer includes a layer above
# it or beside it, or when the game logic includes Qt. The layers, lowest
# first: engine, computer, document, view, app.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(engine computer document view app)
qt_free=(engine computer document)
status=0

# Prints the include lines of the layer's sources that match the pattern.
offending_includes() {
    local layer=$1 pattern=$2
    grep -nHE "^[[:space:]]*#[[:space:]]*include[[:space:]]*$pattern" \
        --include='*.h' --include='*.cpp' -r "$layer" || true
}

report() {
    local found=$1 why=$2
    [[ -z $found ]] && return
    while IFS= read -r line; do
        echo "$line: $why" >&2
    done <<<"$found"
    status=1
}

for ((i = 0; i < ${#layers[@]} - 1; i++)); do
    layer=${layers[i]}
    above=$(IFS='|'; echo "${layers[*]:i+1}")
    report "$(offending_includes "$layer" "\"($above)/")" "$layer includes a higher layer"
done

for layer in "${qt_free[@]}"; do
    report "$(offending_includes "$layer" '<Q')" "$layer must not include Qt"
done

if ((status == 0)); then
    echo "Layers: every include runs downwards; the game logic is free of Qt."
fi
exit "$status"
