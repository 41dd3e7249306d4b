#!/bin/sh
# Draws the circuit diagrams of the example experiments and of a few classic
# circuits into this folder, with their values, as ampery-cli draws them.
# Usage: docs/diagrams/render.sh BUILD_DIR   (for example build/default)
set -eu
build=${1:?usage: $0 BUILD_DIR}
here=$(dirname "$0")
data=$here/../../tests/data
cli=$build/src/cli/ampery-cli
export QT_QPA_PLATFORM=offscreen
draw() { "$cli" diagram "$1" "$here/$2.png" --values 2>/dev/null; "$cli" diagram "$1" "$here/$2.svg" --values 2>/dev/null; }
draw "$build/examples/串联电灯.aie" series-lamps
draw "$build/examples/并联电灯.aie" parallel-lamps
draw "$build/examples/变阻器调光.aie" rheostat-dimmer
draw "$build/examples/开关两端的电压.aie" voltmeter-across-open-switch
draw "$build/examples/电动机正反转.aie" motors
draw "$build/examples/电源短路.aie" source-shorted
draw "$build/examples/电桥平衡.aie" bridge-balance
draw "$data/bridge.aie" bridge
draw "$data/dead_branch.aie" dead-branch-and-unwired
