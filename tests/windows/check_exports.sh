#!/usr/bin/env bash
# Prints the export table of a Windows DLL as objdump -p reads it and checks that it holds exactly
# the exports of the .def file, each by name at its ordinal.
#   check_exports.sh OBJDUMP DLL DEF
set -euo pipefail
objdump=$1 dll=$2 def=$3

# "ordinal name" per export, sorted by ordinal. objdump lists each name with its index in the
# export address table; the ordinal is that index plus the table's ordinal base.
found=$("$objdump" -p "$dll" | awk '
  /^Export Address Table -- Ordinal Base/ { base = $NF }
  /^\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
  names && /^\t\[ *[0-9]+\] / { index_ = $0; sub(/^\t\[ */, "", index_); sub(/\].*/, "", index_);
                               print index_ + base, $NF; next }
  names { names = 0 }' | sort -n)
expected=$(awk '
  /^EXPORTS/ { exports = 1; next }
  exports && NF >= 2 && $2 ~ /^@[0-9]+$/ { print substr($2, 2), $1 }' "$def" | sort -n)

echo "Exports of $(basename "$dll") ($dll), ordinal and name:"
echo "$found" | sed 's/^/  /'
if [ "$found" != "$expected" ]; then
  echo "FAILED: the export table differs from $def (< DLL, > .def):"
  diff <(echo "$found") <(echo "$expected") || true
  exit 1
fi
echo "$(echo "$found" | grep -c .) exports, each at its ordinal of $(basename "$def")"
