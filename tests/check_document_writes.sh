#!/usr/bin/env bash
# Only the document changes its lines: outside editing/ nothing calls a
# writing member on a document's line list, and nothing binds one for
# writing.  The document's own calls keep the lines within its limits.
set -euo pipefail
src=${1:?usage: check_document_writes.sh SRC_DIR}
cd "$src"
status=0
writes='(lines|splitList)\(\)\s*(\.|->)\s*(setLines|append|insert[A-Za-z]*|replace[A-Za-z]*|remove[A-Za-z]*|clear)\s*\('
if grep -rnE --include='*.h' --include='*.cpp' "$writes" . | grep -v '^\./editing/'; then
  echo "a document's lines written outside editing/"; status=1
fi
# A writable reference or pointer to a line list outside the document.
if grep -rnE --include='*.h' --include='*.cpp' '(^|[^t][[:space:]]|[(,])LineList[[:space:]]*[&*]' . |
   grep -v '^\./editing/' | grep -v '^\./document/LineList\.'; then
  echo "a line list bound for writing outside editing/"; status=1
fi
exit $status
