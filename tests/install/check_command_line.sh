#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vantoro's command line: --help and --version print and exit 0 without a display; any other
# option or argument is refused with status 2 before a window opens.
#   check_command_line.sh VANTORO VERSION
set -uo pipefail
vantoro=$1 version=$2
fail() { echo "FAIL: $*"; exit 1; }
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen

for arg in --version -v; do
  out=$(env -u QT_QPA_PLATFORM "$vantoro" "$arg") || fail "$arg exited $?"
  [ "$out" = "vantoro $version" ] || fail "$arg printed '$out'"
done
for arg in --help -h; do
  out=$(env -u QT_QPA_PLATFORM "$vantoro" "$arg") || fail "$arg exited $?"
  grep -q -- '--version' <<<"$out" || fail "$arg does not list --version: $out"
done
for args in "--foo" "-m" "extra" "--version-x"; do
  # shellcheck disable=SC2086
  err=$(timeout 10 "$vantoro" $args 2>&1 >/dev/null)
  status=$?
  [ "$status" -eq 2 ] || fail "'$args' exited $status, not 2"
  grep -q "vantoro --help" <<<"$err" || fail "'$args' gave no hint: $err"
done
echo "--help and --version print and exit; other options and arguments are refused"
