#!/usr/bin/env bash
# Installs the Debian packages that the build and the test suites need, when
# missing: the union of the lists in scripts/packages/ (one package a line,
# "#" comments). A package of another architecture (name:i386) adds that
# architecture first.
#   scripts/deps.sh            every list
#   scripts/deps.sh base wasm  only those lists
set -euo pipefail
cd "$(dirname "$0")/packages"
lists=("$@")
((${#lists[@]})) || lists=($(ls *.txt | sed 's/\.txt$//'))
missing=()
for list in "${lists[@]}"; do
  while read -r p; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done < <(sed 's/#.*//' "$list.txt" | tr -s ' \t' '\n' | grep -v '^$')
done
((${#missing[@]})) || exit 0
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/.*:\([a-z0-9]*\)$/\1/p' | sort -u); do
  dpkg --print-foreign-architectures | grep -qx "$arch" || $sudo_cmd dpkg --add-architecture "$arch"
done
echo "installing: ${missing[*]}"
log=$(mktemp)
if ! { $sudo_cmd apt-get update -qq &&
       DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"; } >"$log" 2>&1; then
  tail -n 40 "$log"; rm -f "$log"; echo "deps: apt-get failed" >&2; exit 1
fi
rm -f "$log"
