#!/usr/bin/env bash
# Every case the test programs hold is registered with ctest: a case whose
# listing confuses the discovery would otherwise never run, silently.
set -euo pipefail
build=${1:?usage: check_test_count.sh BUILD_DIR}
cd "$build"
own=0
for t in tests/petari_tests tests/petari_ui_tests; do
  n=$(QT_QPA_PLATFORM=offscreen "./$t" --gtest_list_tests | grep -c '^  ')
  own=$((own + n))
done
registered=$(ctest -N | grep -E '^ +Test +#' |
  grep -vcE ' (shell_|core_has_no_widgets|folders_depend_one_way|only_the_document_writes_lines|sources_in_their_own_words|test_count_matches|desktop_|install_)' || true)
echo "test programs: $own cases, ctest: $registered"
[ "$own" -eq "$registered" ]
