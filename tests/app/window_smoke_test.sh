#!/usr/bin/env bash
# Starts trazel on the X server of xvfb-run and waits for its main window to
# be mapped with the caption of a new document.
set -uo pipefail
trazel="$1"
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT

# Keep the recent-file list of this run away from the user's own.
XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=xcb "$trazel" &
pid=$!

found=""
for _ in $(seq 1 100); do
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "trazel ended before showing its window" >&2
    exit 1
  fi
  if xwininfo -root -tree | grep -q '"Sin título - Trazel"'; then
    found=yes
    break
  fi
  sleep 0.2
done

if [ -z "$found" ]; then
  echo "no window \"Sin título - Trazel\" appeared" >&2
  kill "$pid"
  exit 1
fi
# The window exists before it is mapped; under a slow build (sanitizers) the
# mapping can come a moment later, so give it the same patience.
viewable=""
for _ in $(seq 1 100); do
  if xwininfo -name "Sin título - Trazel" | grep -q "IsViewable"; then
    viewable=yes
    break
  fi
  sleep 0.2
done
xwininfo -name "Sin título - Trazel" | grep -E "Width|Height|Map State"
if [ -z "$viewable" ]; then
  echo "the window is not viewable" >&2
  kill "$pid"
  exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null
exit 0
