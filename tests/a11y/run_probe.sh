#!/usr/bin/env bash
# Starts the program on a fresh shop under a virtual display with its own
# session bus and accessibility bus, then reads it with the probe.
set -u
velbora=$1
probe=$2
work=$(mktemp -d)
trap 'kill $app 2>/dev/null; rm -rf "$work"' EXIT
"$velbora" --create-db "$work" >/dev/null || exit 1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
/usr/libexec/at-spi-bus-launcher --launch-immediately &
sleep 1
"$velbora" --data "$work" &
app=$!
timeout 40 /usr/bin/python3 "$probe"
