#!/usr/bin/env bash
# The core and the layer the front ends share never touch a file: no object
# of their archives calls a function that opens, creates, renames or
# deletes one, nor the standard library's file streams and file system.
# Arguments: the archives.
set -euo pipefail
vietati='^(fopen|fopen64|freopen|open|open64|openat|creat|unlink|remove|rename|mkdir|rmdir|_wfopen|CreateFile[AW]|DeleteFile[AW]|MoveFileEx[AW])$|std::filesystem::|basic_filebuf|basic_[io]?fstream'
stato=0
for archivio in "$@"; do
  trovati=$(nm -C --undefined-only "$archivio" 2>/dev/null | sed -n 's/^ *U //p' | grep -E "$vietati" | sort -u || true)
  if [ -n "$trovati" ]; then
    echo "$(basename "$archivio") usa i file:" >&2
    echo "$trovati" >&2
    stato=1
  fi
done
exit $stato
