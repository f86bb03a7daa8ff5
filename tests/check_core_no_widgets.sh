#!/usr/bin/env bash
# The core library must stay free of QtWidgets so its logic runs without a window.
src="$1"
hits=$(grep -rlE '#include *<(QtWidgets/|QApplication>|QWidget>|QMessageBox>|QMainWindow>|QFileDialog>|QDialog>|QListView>)' \
       --include='*.h' --include='*.cpp' "$src" | grep -v -e '/ui/' -e '/app/main.cpp$' || true)
if [ -n "$hits" ]; then
  echo "Widget headers outside ui/ folders:"; echo "$hits"; exit 1
fi
