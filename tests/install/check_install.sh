#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check_install.sh BUILD_DIR PREFIX APP_ID VERSION
# Runs cmake --install into PREFIX (emptied first) and checks the installed files.
set -uo pipefail
build=$1 prefix=$2 id=$3 version=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$prefix"
if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
  cat "$prefix.log"
  echo "FAIL: cmake --install"
  exit 1
fi

share=$prefix/share
desktop=$share/applications/$id.desktop
metainfo=$share/metainfo/$id.metainfo.xml
for f in "$prefix/bin/vantoro" "$prefix/bin/vantoro-calc"; do
  [ -x "$f" ] || fail "$f is missing or not executable"
done
for f in "$desktop" "$metainfo" "$share/icons/hicolor/scalable/apps/$id.svg" "$share/vantoro/translations/vantoro_ja.qm"; do
  [ -s "$f" ] || fail "$f is missing or empty"
done

# Width and height from the PNG header (big-endian words at bytes 16 and 20).
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }
for size in 16 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$id.png
  if [ ! -s "$png" ]; then
    fail "$png is missing"
  elif [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" != 89504e470d0a1a0a ]; then
    fail "$png is not a PNG file"
  elif [ "$(png_size "$png")" != "${size}x${size}" ]; then
    fail "$png is $(png_size "$png"), not ${size}x${size}"
  fi
done
# Nothing but the program's own files: no test or developer tools in the package.
unexpected=$(find "$prefix" -type f | sed "s|^$prefix/||" | grep -v -e '^bin/vantoro$' -e '^bin/vantoro-calc$' \
  -e "^share/applications/$id.desktop\$" -e "^share/metainfo/$id.metainfo.xml\$" \
  -e "^share/icons/hicolor/[0-9x]*/apps/$id.png\$" -e "^share/icons/hicolor/scalable/apps/$id.svg\$" \
  -e '^share/man/man1/vantoro\(-calc\)\?\.1\.gz$' -e '^share/bash-completion/completions/vantoro-calc$' \
  -e '^share/doc/vantoro\(-calc\)\?/\(copyright\|changelog\.gz\)$' \
  -e '^share/vantoro/translations/vantoro_[a-z_]*\.qm$')
[ -z "$unexpected" ] || fail "unexpected installed files: $unexpected"

# The licence: the GPL version 3 at the top of the source tree, named in the copyright file.
source=$(dirname "$0")/../..
head -2 "$source/LICENSE" | grep -q 'Version 3, 29 June 2007' || fail "LICENSE is not the GPL version 3"
for package in vantoro vantoro-calc; do
  grep -q '^License: GPL-3+$' "$share/doc/$package/copyright" 2>/dev/null \
    || fail "share/doc/$package/copyright names no GPL-3+ licence"
done

# The manual pages: compressed, and read by man without a warning.
for page in vantoro vantoro-calc; do
  man_file=$share/man/man1/$page.1.gz
  if [ ! -s "$man_file" ]; then
    fail "$man_file is missing"
  elif ! gzip -t "$man_file"; then
    fail "$man_file is not gzip-compressed"
  elif command -v man >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$man_file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $page: $warnings"
    LC_ALL=C.UTF-8 man -l "$man_file" 2>/dev/null | grep -q "^NAME" || fail "man $page shows no NAME section"
  fi
done
# The bash completion offers the options and the modes.
completion=$share/bash-completion/completions/vantoro-calc
if [ -s "$completion" ]; then
  complete_words() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _vantoro_calc; echo "${COMPREPLY[*]}"' \
      _ "$completion" "$@"
  }
  [ "$(complete_words vantoro-calc --mode s)" = seconds ] || fail "completion of --mode s: $(complete_words vantoro-calc --mode s)"
  [ "$(complete_words vantoro-calc --tr)" = --trace ] || fail "completion of --tr: $(complete_words vantoro-calc --tr)"
else
  fail "$completion is missing"
fi

# The SVG is a well-formed SVG document.
if [ -s "$share/icons/hicolor/scalable/apps/$id.svg" ]; then
  grep -q '<svg[^>]*xmlns="http://www.w3.org/2000/svg"' "$share/icons/hicolor/scalable/apps/$id.svg" \
    || fail "the scalable icon is not an SVG document"
fi

if [ -s "$desktop" ]; then
  echo "== desktop-file-validate $desktop"
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
  key() { sed -n "s/^$1=//p" "$desktop"; }
  [ "$(key Icon)" = "$id" ] || fail "Icon= is '$(key Icon)', not $id"
  [ -x "$prefix/bin/$(key Exec | cut -d' ' -f1)" ] || fail "Exec= names no installed program"
  [ "$(key Categories)" = "Utility;Calculator;" ] || fail "Categories= is '$(key Categories)'"
  for k in 'Name' 'Name\[ja\]' 'Comment' 'Comment\[ja\]'; do
    [ -n "$(key "$k")" ] || fail "no $k in the desktop entry"
  done
fi

if [ -s "$metainfo" ]; then
  echo "== appstreamcli validate --no-net $metainfo"
  appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    || fail "the metainfo does not launch $id.desktop"
  grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
  grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" \
    || fail "the metainfo does not give the licence GPL-3.0-or-later"
  grep -q '<image[^>]*>https://[^<]*screenshot-main.png</image>' "$metainfo" \
    || fail "the metainfo has no screenshot of the main window"
fi

# The installed command-line calculator runs from its installed place.
if [ -x "$prefix/bin/vantoro-calc" ]; then
  out=$("$prefix/bin/vantoro-calc" --mode seconds 2+3= 2>&1)
  case "$out" in *$'\t'*'5 '*) ;; *) fail "installed vantoro-calc printed: $out" ;; esac
fi

[ "$failures" -eq 0 ] && echo "install layout: all checks passed"
exit $((failures > 0))
