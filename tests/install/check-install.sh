#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it as the desktop sees it: every desktop
# entry valid, each page extension a MIME type of its own that opens in its edition (a shared one
# through the plain entry, which picks the edition named in the page), every entry's icon present,
# the command line's answers, and the installed program opening a page under Xvfb.
#   check-install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
need() {
  command -v "$1" >/dev/null && return 0
  if [ "${CI:-}" = true ]; then fail "$1 is missing"; fi
  echo "SKIP: $1 is missing"; exit 0
}
for tool in desktop-file-validate update-mime-database update-desktop-database xdg-mime mimetype xvfb-run xdotool; do
  need "$tool"
done

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }
[ -x "$prefix/bin/quib" ] || fail "bin/quib is not installed"
for module in libquib_webpreview.so libquib_transfer.so libquib_pdf.so; do
  [ -f "$prefix/lib/quib/$module" ] || fail "$module is not beside the program"
done
[ -f "$prefix/share/quib/resources/desktop/editions.tsv" ] || fail "resources are not installed"
[ -n "$(ls -A "$prefix/share/quib/templates" 2>/dev/null)" ] || fail "templates are not installed"

# One valid entry per edition and the plain one, each with its icon.
rows=$(grep -vc '^#' "$source/resources/desktop/editions.tsv")
entries=("$prefix"/share/applications/*.desktop)
[ "${#entries[@]}" -eq "$rows" ] || fail "${#entries[@]} desktop entries for $rows editions"
for entry in "${entries[@]}"; do
  report=$(desktop-file-validate "$entry" 2>&1) || fail "$(basename "$entry") does not validate: $report"
  [ -z "$report" ] || fail "$(basename "$entry"): $report"
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$(basename "$entry") names a missing icon $icon"
done

update-mime-database "$prefix/share/mime" >/dev/null
update-desktop-database "$prefix/share/applications" >/dev/null 2>&1
home=$work/home
mkdir -p "$home"
desk=(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID
      HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" XDG_CONFIG_DIRS="$work/none"
      XDG_DATA_DIRS="$prefix/share:/usr/share")
# extension, then the entry a page of that extension opens in
while IFS=$'\t' read -r extension expected; do
  : >"$work/page.$extension"
  type=$("${desk[@]}" xdg-mime query filetype "$work/page.$extension")
  [ "$type" = "application/x-quib-$extension" ] || fail "page.$extension is $type"
  default=$("${desk[@]}" xdg-mime query default "$type")
  [ "$default" = "$expected" ] || fail "$type opens in '$default', not $expected"
done <<'TABLE'
zqv	quib-brumel-responsive-website-designer.desktop
zx	quib-brumel-responsive-email-designer.desktop
selvaro	quib-kestrin-responsive-form-designer.desktop
jxw	quib-kestrin-pdf-author.desktop
profile	quib-veldacre.desktop
dunmeret	quib.desktop
quibpage	quib.desktop
ulmira	quib.desktop
zorprofile	quib.desktop
TABLE

# The command line, from the installed program.
program=$prefix/bin/quib
"$program" --help | grep -q -- "--list-editions" || fail "--help does not list the options"
listed=$("$program" --list-editions | wc -l)
[ "$listed" -eq "$rows" ] || fail "--list-editions lists $listed editions, not $rows"
status=0
"$program" --edition "No Such Edition" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] || fail "an unknown edition exits with $status"
grep -q "Ulmira Pro 2" "$work/err" || fail "the refusal does not list the editions"

# The installed program opens a label page given to the plain entry in the edition that made it.
mkdir -p "$build/gui-artefacts"
page=$work/Classic.dunmeret
cp "$source/tests/fixtures/install/Classic.dunmeret" "$page"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
# The X server's own platform, whatever the test run set for the in-process suites.
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1280x900x24" bash -c '
  "$1" "$2" >"$3/app.log" 2>&1 &
  app=$!
  for _ in $(seq 1 300); do
    title=$(xdotool search --onlyvisible --name "Classic" getwindowname 2>/dev/null | head -n 1 || true)
    [ -n "$title" ] && break
    sleep 0.2
  done
  [ -n "$title" ] && sleep 1 && import -window root "$4/installed-window.png" 2>/dev/null
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  echo "$title" >"$3/title"
' _ "$program" "$page" "$work" "$build/gui-artefacts"
title=$(cat "$work/title")
[ -n "$title" ] || { cat "$work/app.log"; fail "the installed program showed no window for the page"; }
echo "$title" | grep -q "Brennolt Pro" || fail "the page opened as '$title', not in Brennolt Pro"
echo "install: ok ($rows entries)"
