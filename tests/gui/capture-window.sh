#!/bin/sh
# Runs inside xvfb-run: starts the application with a page document, waits until a window whose
# title names the document is mapped, and photographs the whole screen.
#   capture-window.sh QUIB_BINARY DOCUMENT WINDOW_TITLE_PART OUTPUT_PNG [ARGS...]
set -u
binary=$1
document=$2
title=$3
output=$4
shift 4

QT_QPA_PLATFORM=xcb
export QT_QPA_PLATFORM
"$binary" "$@" "$document" >"$output.log" 2>&1 &
pid=$!

found=no
i=0
while [ $i -lt 300 ]; do
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "the application ended before its window appeared" >&2
    cat "$output.log" >&2
    exit 2
  fi
  if xwininfo -root -tree 2>/dev/null | grep -F "$title" | grep -q -v "has no name"; then
    found=yes
    break
  fi
  sleep 0.1
  i=$((i + 1))
done
if [ "$found" != yes ]; then
  echo "no window titled with \"$title\" appeared" >&2
  kill "$pid" 2>/dev/null
  exit 3
fi

# Let the first paint land.
sleep 1.5
import -window root "$output"
status=$?
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit $status
