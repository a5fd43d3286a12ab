#!/usr/bin/env bash
# Writes docs/screenshot-main.png: the main window with examples/npcdata.txt loaded.
set -euo pipefail
cd "$(dirname "$0")/.."
QT_QPA_PLATFORM=offscreen build/aethrian-screenshot docs/screenshot-main.png examples/npcdata.txt
echo "wrote docs/screenshot-main.png"
