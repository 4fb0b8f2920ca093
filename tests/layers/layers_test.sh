#!/usr/bin/env bash
# The layers hold by their includes: the core without Qt, each concern of the core on the
# ones below it, charges and sales on the core, the desk model without widgets, nothing
# below the window including a window header, and the window never reaching for main().
#   layers_test.sh SOURCE_DIR
set -euo pipefail
cd "$1/src"
bad=0
# refuse FILES... -- PATTERN WHY: lists the includes of FILES matching PATTERN.
refuse() {
    local why=$1 pattern=$2
    shift 2
    local hits
    hits=$(grep -Hn -E "^#include [<\"]($pattern)" "$@" || true)
    if [ -n "$hits" ]; then
        echo "$why:"
        echo "$hits"
        bad=1
    fi
}
files() { find "$@" -name '*.h' -o -name '*.cpp' | sort; }

# Lowest first: a concern may include its own headers and those of the concerns above it
# in this list, never of one after it.
concerns=(records storage journal rules retention figures screen)
allowed=([0]="records" [1]="records|storage" [2]="records|storage|journal"
         [3]="records|storage|journal|rules" [4]="records|storage|journal|retention"
         [5]="records|storage|journal|retention|figures" [6]="records|storage|journal|rules|screen")
for i in "${!concerns[@]}"; do
    c=${concerns[$i]}
    mapfile -t own < <(files "core/$c")
    refuse "core/$c includes Qt" "Q" "${own[@]}"
    refuse "core/$c includes a layer above the core" "desk/|window/|app/|charges/|sales/" "${own[@]}"
    others=$(grep -ho -E '^#include "core/[a-z]+/' "${own[@]}" | sed 's#.*core/##; s#/##' | sort -u |
             grep -v -x -E "${allowed[$i]}" || true)
    if [ -n "$others" ]; then echo "core/$c includes core/$others"; bad=1; fi
done
mapfile -t cs < <(files charges sales)
refuse "charges or sales include Qt or a layer above the core" "Q|desk/|window/|app/" "${cs[@]}"
mapfile -t desk < <(files desk)
refuse "the desk model includes a widget header or the window" \
    "QtWidgets|QWidget|QApplication|QDialog|QMessageBox|QPainter|window/|app/" "${desk[@]}"
mapfile -t window < <(files window)
refuse "the window includes the app" "app/" "${window[@]}"
[ "$bad" -eq 0 ] && echo "layers hold"
exit "$bad"
