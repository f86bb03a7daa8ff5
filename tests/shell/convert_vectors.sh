#!/usr/bin/env bash
# Drives `petari --convert` with the conversion vectors, the usage errors and
# inputs that must pass through byte for byte (line ends, NUL, bytes that are
# not UTF-8, input longer than one read).
set -u
bin=${1:?usage: convert_vectors.sh PATH_TO_PETARI}
passed=0
failed=0

pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); printf 'FAIL: %s\n' "$*" >&2; }

# mode <TAB> input <TAB> expected output
while IFS=$'\t' read -r mode input want; do
    [ -z "$mode" ] && continue
    # The trailing x keeps any line end the converter might add.
    if ! got=$(printf '%s' "$input" | "$bin" --convert "$mode" && printf x); then
        fail "$mode '$input': non-zero exit"
        continue
    fi
    got=${got%x}
    if [ "$got" = "$want" ]; then
        pass
    else
        fail "$mode '$input': got '$got', want '$want'"
    fi
done <<'VECTORS'
full	AZaz09	ＡＺａｚ０９
full	!"'-~`	！＂＇－～｀
full	a b	ａ　ｂ
full	\	\
full	¥	￥
full	ｶﾞｷﾞﾊﾟﾋﾟｳﾞ	ガギパピヴ
full	｡｢｣､･ｰ	。「」、・ー
full	ﾞ	゛
full	ｶﾟ	カ゜
full	ﾜﾞｦﾞ	ヷヺ
full	は゛	は゛
full	ｱあ漢😀	アあ漢😀
half	ＡＢ　１２！＇＂－～	AB 12!'"-~
half	ガパヴ	ｶﾞﾊﾟｳﾞ
half	「」、。・ー	｢｣､｡･ｰ
half	がぱあ	がぱあ
half	ヰヱヮヵヶ	ヰヱヮヵヶ
half	‘’“”	''""
half	＼	＼
half	￥	¥
half	゛゜	ﾞﾟ
half	〜	〜
katakana	ひらがなゝゞゔゕゖ	ヒラガナヽヾヴヵヶ
katakana	ｶﾞｱ	ｶﾞｱ
hiragana	カタカナーヽヾヴヵヶ	かたかなーゝゞゔゕゖ
hiragana	ヷ	ヷ
upper	abcａｂｃαⅰß	ABCＡＢＣΑⅠß
lower	ＡＢＣΑⅠ	ａｂｃαⅰ
capitalise	hello wORLD-foo o'neil　ｊａｐａｎ	Hello World-foo O'neil　Ｊａｐａｎ
katakana,half	がっこう	ｶﾞｯｺｳ
half,katakana	がっこう	ガッコウ
hiragana,full	ｶﾞｯｺｳ abc	ガッコウ　ａｂｃ
full,hiragana	ｶﾞｯｺｳ abc	がっこう　ａｂｃ
VECTORS

# Compares the converter's output for a byte string with the expected bytes.
expect_bytes() {
    local name=$1 mode=$2 input=$3 want=$4
    if cmp -s <(printf "$input" | "$bin" --convert "$mode") <(printf "$want"); then
        pass
    else
        fail "$name"
    fi
}
expect_bytes "CR LF and LF pass through" full 'ｶﾞ\r\nｷ\n\r' 'ガ\r\nキ\n\r'
expect_bytes "no line end added" half 'ア' 'ｱ'
expect_bytes "empty input" upper '' ''
expect_bytes "NUL passes through" full 'a\000b' 'ａ\000ｂ'
expect_bytes "NUL separates words" capitalise 'ab\000cd' 'Ab\000Cd'
expect_bytes "bytes that are not UTF-8 pass through" full 'a\377\376\200b\xe3\x81' 'ａ\377\376\200ｂ\xe3\x81'
expect_bytes "surrogates encoded in UTF-8 stay bytes" upper 'a\xed\xa0\x80z' 'A\xed\xa0\x80Z'
expect_bytes "overlong forms stay bytes" full '\xc0\xafa' '\xc0\xafａ'
expect_bytes "undecodable bytes join the word" capitalise 'ab\377cD ef \377Gh' 'Ab\377cd Ef \377gh'

# Input longer than one read, as many lines and as one long line: nothing may
# be lost, duplicated or split at a read boundary.
lines=1500000
if cmp -s <(yes 'ｶﾞabc' | head -n $lines | "$bin" --convert full) \
          <(yes 'ガａｂｃ' | head -n $lines); then pass; else fail "many lines"; fi
if cmp -s <(yes 'ｶﾞ' | head -n 900000 | tr -d '\n' | "$bin" --convert full) \
          <(yes 'ガ' | head -n 900000 | tr -d '\n'); then pass; else fail "one long line"; fi

# Usage errors: exit status 2 and a usage message on standard error.
expect_usage() {
    local name=$1; shift
    local err rc
    err=$(printf 'x' | "$bin" "$@" 2>&1 >/dev/null)
    rc=$?
    if [ "$rc" -eq 2 ] && printf '%s' "$err" | grep -q 'usage: petari --convert'; then
        pass
    else
        fail "$name: exit $rc, stderr '$err'"
    fi
}
expect_usage "unknown mode" --convert bogus
expect_usage "unknown mode in a list" --convert full,bogus
expect_usage "empty mode in a list" --convert full,,half
expect_usage "missing mode" --convert
expect_usage "extra argument" --convert full half

out=$(printf 'abc' | "$bin" --convert bogus 2>/dev/null)
if [ -z "$out" ]; then pass; else fail "unknown mode wrote '$out' to standard output"; fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
