#!/bin/sh
# Writes the manual page zmask.1 from the command's own help, the one place
# its text is kept: the general help, then each command's usage and options
# (their help without the general part they repeat).
#   sh doc/zmask_man.sh path/to/zmask zmask.1
set -eu
zmask=$1 out=$2
commands=$("$zmask" --help | sed -n '/^Subcommands:/,/^$/s/^  \([a-z]\{1,\}\) .*/\1/p')
{
  echo '[COMMANDS]'
  for command in $commands; do
    printf '.SS %s\n.nf\n' "$command"
    # Backslashes and lines that start with a roff control character are escaped.
    "$zmask" "$command" --help | sed '/^TYPE:/,$d' | sed 's/\\/\\e/g; s/^[.'\'']/\\\&&/'
    echo '.fi'
  done
} >"$out.include"
help2man --no-info --name="$("$zmask" --help | sed -n '1s/^zmask: //p')" \
  --include="$out.include" --output="$out" "$zmask"
rm -f "$out.include"
