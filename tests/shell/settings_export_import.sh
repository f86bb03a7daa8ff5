#!/usr/bin/env bash
# Settings exported from one configuration folder and imported into an empty
# one: both INI files then hold the same keys and values.  A file of another
# program is refused and changes nothing.
set -u
petari=$1
. "$(dirname "$0")/cli_common.bash"

mkdir -p "$tmp/a/petari" "$tmp/b"
cat >"$tmp/a/petari/petari.ini" <<'EOF'
[F1]
top=105
Left=1200
rcrh0=4

[F2]
b6="  before, with commas "
b7="a=b %41 ;"

[F5]
s1=80
st_t100=''
exe1=/usr/bin/gedit
exe2=gedit
1=1
3=1

[F7]
T15=\\
Visible=True

[M2]
backup=12

[rireki]
1=/home/u/写真😀/a.txt

[ver]
revision=167
EOF

XDG_CONFIG_HOME=$tmp/a "$petari" --export-settings "$tmp/export.txt" 2>"$tmp/err"
check "export exit" 0 $?
check "export diagnostics" "" "$(cat "$tmp/err")"
# The emoji keeps the file in UTF-8, with a byte-order mark.
first=$(head -1 "$tmp/export.txt" | tr -d '\r')
case "$first" in
  $'\xEF\xBB\xBF'"レジストリの保存【 ペタリ.exe  Ver 2.40.167  "*"】") ;;
  *) echo "FAIL: export first line: $first"; fails=$((fails + 1)) ;;
esac
check "export F7 line" "petari,F7,T15,\\" "$(grep -a '^petari,F7,T15,' "$tmp/export.txt" | tr -d '\r')"
check "every line ends with CR LF" 0 "$(grep -a -c -v $'\r$' "$tmp/export.txt")"

XDG_CONFIG_HOME=$tmp/b "$petari" --import-settings "$tmp/export.txt" 2>"$tmp/err"
check "import exit" 0 $?
check "import diagnostics" "" "$(cat "$tmp/err")"
if ! cmp -s "$tmp/a/petari/petari.ini" "$tmp/b/petari/petari.ini"; then
  echo "FAIL: the INI files differ"; diff "$tmp/a/petari/petari.ini" "$tmp/b/petari/petari.ini"
  fails=$((fails + 1))
fi
check "a value with commas and leading blanks" 'b6="  before, with commas "' "$(grep '^b6=' "$tmp/b/petari/petari.ini")"

# Another program's export: the message, exit 1, the settings as they were.
cp "$tmp/b/petari/petari.ini" "$tmp/before.ini"
printf 'otherapp,F1,top,1\r\npetari,f1,top,1\r\n' >"$tmp/other.txt"
XDG_CONFIG_HOME=$tmp/b "$petari" --import-settings "$tmp/other.txt" 2>"$tmp/err"
check "other program exit" 1 $?
check "other program message" "petari: このファイルには「ペタリ」に有効なレジストリの情報がありませんでした。" "$(cat "$tmp/err")"
cmp -s "$tmp/before.ini" "$tmp/b/petari/petari.ini" || { echo "FAIL: settings changed"; fails=$((fails + 1)); }

# A folder in the settings file's place: nothing to export, no import; the
# message names it.
mkdir -p "$tmp/c/petari/petari.ini"
for option in --export-settings --import-settings; do
  XDG_CONFIG_HOME=$tmp/c "$petari" "$option" "$tmp/c.txt" 2>"$tmp/err"
  check "$option with a folder for settings: exit" 1 $?
  check "$option with a folder for settings: the path" "$tmp/c/petari/petari.ini" "$(tail -n1 "$tmp/err")"
done
[ -e "$tmp/c.txt" ] && { echo "FAIL: exported from a folder"; fails=$((fails + 1)); }

echo "$fails failed"
[ "$fails" -eq 0 ]
