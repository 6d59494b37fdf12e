#!/usr/bin/env bash
# Installs the Debian packages of the named lists in scripts/packages/ (one
# package a line, "#" comments) that are missing. A package of another
# architecture (name:i386) adds that architecture first. Everything it says
# goes to standard error; apt-get's output shows only when it fails.
#   scripts/deps.sh base wasm            install what those lists name
#   scripts/deps.sh --missing zmask      only print what is missing (one line)
#   scripts/deps.sh --all                every list
set -euo pipefail
cd "$(dirname "$0")/packages"
only_print=false
case ${1-} in
  --missing) only_print=true; shift ;;
  --all) set -- $(ls *.txt | sed 's/\.txt$//') ;;
esac
missing=()
for list in "$@"; do
  [ -f "$list.txt" ] || { echo "deps: no package list scripts/packages/$list.txt" >&2; exit 2; }
  while read -r p; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done < <(sed 's/#.*//' "$list.txt" | tr -s ' \t' '\n' | grep -v '^$')
done
if $only_print; then
  ((${#missing[@]} == 0)) || printf '%s\n' "${missing[*]}"
  exit 0
fi
((${#missing[@]})) || exit 0
command -v apt-get >/dev/null ||
  { echo "deps: not a Debian system; install these by hand: ${missing[*]}" >&2; exit 1; }
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/.*:\([a-z0-9]*\)$/\1/p' | sort -u); do
  dpkg --print-foreign-architectures | grep -qx "$arch" || "${sudo_cmd[@]}" dpkg --add-architecture "$arch"
done
echo "installing: ${missing[*]}" >&2
log=$(mktemp)
if ! { "${sudo_cmd[@]}" apt-get update -qq &&
       DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"; } >"$log" 2>&1; then
  tail -n 40 "$log" >&2; rm -f "$log"; echo "deps: apt-get failed" >&2; exit 1
fi
rm -f "$log"
