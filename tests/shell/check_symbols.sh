#!/usr/bin/env bash
# The program defines none of the functions of the workbook's libraries (libxlsxwriter, minizip):
# a definition in the executable would be bound to the libraries' own calls in their place, so
# the libraries are used through their public API only. The four the workbook once stood in
# for are named; any other function the libraries export counts the same.
# Usage: check_symbols.sh VEK_EXECUTABLE
set -euo pipefail
exe=$1
defined=$(nm -D --defined-only "$exe" | awk '{print $NF}' | sed 's/@.*//' | sort -u)
status=0
for symbol in lxw_tmpfile zipOpenNewFileInZip4_64 zipWriteInFileInZip zipCloseFileInZip; do
  if grep -qx "$symbol" <<<"$defined"; then
    echo "the program defines $symbol" >&2
    status=1
  fi
done
libraries=$(ldd "$exe" | awk '/libxlsxwriter|libminizip/ {print $3}')
[ -n "$libraries" ] || { echo "the program links neither libxlsxwriter nor minizip" >&2; exit 1; }
for library in $libraries; do
  exported=$(nm -D --defined-only "$library" | awk '$2 ~ /^[TW]$/ {print $3}' | sed 's/@.*//' |
             sort -u)
  both=$(comm -12 <(echo "$defined") <(echo "$exported"))
  if [ -n "$both" ]; then
    echo "the program defines functions of $library:" $both >&2
    status=1
  fi
done
exit $status
