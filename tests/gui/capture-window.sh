#!/bin/sh
# Runs inside xvfb-run: starts the application with a page document, waits until a window whose
# title names the document is mapped, and photographs the whole screen.
#   capture-window.sh QUIB_BINARY DOCUMENT WINDOW_TITLE_PART OUTPUT_PNG [ARGS...]
# With QUIB_DRAG_PLAN and QUIB_AFTER_SHOT set, it then waits for the plan file ("x0 y0 x1 y1", screen
# pixels), drags the mouse from the first point to the second with xdotool, and photographs the
# screen again. The first photograph appears under its name only once it is complete.
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
import -window root "$output.part.png" && mv "$output.part.png" "$output"
status=$?
if [ $status -eq 0 ] && [ -n "${QUIB_DRAG_PLAN:-}" ]; then
  i=0
  while [ ! -s "$QUIB_DRAG_PLAN" ] && [ $i -lt 600 ]; do
    sleep 0.1
    i=$((i + 1))
  done
  if [ -s "$QUIB_DRAG_PLAN" ]; then
    read -r x0 y0 x1 y1 <"$QUIB_DRAG_PLAN"
    xdotool mousemove "$x0" "$y0"
    sleep 0.3
    xdotool mousedown 1
    # Several steps, as a hand would drag.
    for step in 1 2 3 4 5 6 7 8 9 10; do
      xdotool mousemove $((x0 + (x1 - x0) * step / 10)) $((y0 + (y1 - y0) * step / 10))
      sleep 0.05
    done
    xdotool mouseup 1
    sleep 1.5
    import -window root "$QUIB_AFTER_SHOT"
    status=$?
  else
    echo "no drag plan arrived" >&2
    status=4
  fi
fi
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit $status
