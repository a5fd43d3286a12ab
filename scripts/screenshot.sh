#!/usr/bin/env bash
# Writes the README's screenshots: the NPCData Editor with examples/npcdata.txt loaded, and the
# NPCData Compare page comparing the 2x example against it with x-rate on.
set -euo pipefail
cd "$(dirname "$0")/.."
QT_QPA_PLATFORM=offscreen build/aethrian-screenshot docs/screenshot-main.png examples/npcdata.txt
QT_QPA_PLATFORM=offscreen build/aethrian-screenshot docs/screenshot-compare.png examples/npcdata_2x.txt examples/npcdata.txt
QT_QPA_PLATFORM=offscreen build/aethrian-screenshot --filtered docs/screenshot-filtered.png examples/npcdata.txt
QT_QPA_PLATFORM=offscreen build/aethrian-screenshot docs/screenshot-rates-chart.png examples/npcdata_2x.txt examples/npcdata.txt rates
echo "wrote docs/screenshot-main.png, docs/screenshot-compare.png, docs/screenshot-filtered.png and docs/screenshot-rates-chart.png"
