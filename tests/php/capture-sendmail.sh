#!/bin/sh
# Stands in for sendmail under PHP's mail(): keeps each message as one file in the folder given.
dir="$1"
tmp="$dir/.incoming-$$"
cat > "$tmp" && mv "$tmp" "$dir/$(date +%s%N)-$$.eml"
