#!/usr/bin/env bash
# Times `petari --convert full` against ICU's `uconv -x Halfwidth-Fullwidth`
# on about 10 MB of mixed Japanese text (ASCII, half-width katakana with
# sound marks, full-width katakana, hiragana, kanji, full-width Latin).
# Usage: bench/convert_vs_uconv.sh [PATH_TO_PETARI]   (default build/petari)
set -euo pipefail
petari=${1:-build/petari}
command -v uconv >/dev/null || { echo "uconv not found (Debian package icu-devtools)" >&2; exit 1; }
[ -x "$petari" ] || { echo "no petari binary at $petari" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
input=$work/mixed.txt

# Sixteen lines of mixed pieces, repeated up to ~10 MB (whole lines only).
block=$work/block.txt
cat >"$block" <<'TEXT'
Hello, world! ｶﾞｷﾞｸﾞｹﾞｺﾞコンピューターひらがなのぶんしょう漢字仮名交じり文ＡＢＣ１２３ａｂｃ
ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ ｱｲｳｴｵ ｶｷｸｹｺ price: 1,200 yen 東京都千代田区ﾃﾞｰﾀﾍﾞｰｽカタカナ・テスト
これはテストです。ｳﾞｧｲｵﾘﾝ file_name.txt ガギグゲゴ ひらがなのぶんしょう ＡＢＣ１２３ａｂｃ
漢字仮名交じり文 Hello, world! ｶﾞｷﾞｸﾞｹﾞｺﾞ ﾃﾞｰﾀﾍﾞｰｽ これはテストです。 price: 1,200 yen
TEXT
block_bytes=$(wc -c <"$block")
repeats=$(( (10 * 1000 * 1000 + block_bytes - 1) / block_bytes ))
for _ in $(seq "$repeats"); do cat "$block"; done >"$input"
size=$(wc -c <"$input")
echo "input: $size bytes of UTF-8 ($((size / 1000 / 1000)) MB), $(wc -l <"$input") lines"

petari_cmd="$petari --convert full < $input > /dev/null"
uconv_cmd="uconv -f utf-8 -t utf-8 -x Halfwidth-Fullwidth < $input > /dev/null"

# Same work, not the same rules: the transliterator also widens the backslash,
# turns a lone ﾞ into the combining U+3099 rather than ゛, and leaves some
# pairs such as ｸﾞ as ク plus the combining mark instead of グ.
if cmp -s <("$petari" --convert full <"$input") <(uconv -f utf-8 -t utf-8 -x Halfwidth-Fullwidth <"$input"); then
    echo "outputs: identical"
else
    echo "outputs: differ where the rules differ (backslash, sound marks)"
fi

if command -v hyperfine >/dev/null; then
    hyperfine --warmup 1 --runs "${RUNS:-5}" -N --style basic \
        -n "petari --convert full" "bash -c '$petari_cmd'" \
        -n "uconv -x Halfwidth-Fullwidth" "bash -c '$uconv_cmd'"
else
    for name in petari uconv; do
        cmd=${name}_cmd
        best=
        for _ in 1 2 3 4 5; do
            start=$(date +%s.%N)
            bash -c "${!cmd}"
            end=$(date +%s.%N)
            t=$(echo "$end - $start" | bc)
            if [ -z "$best" ] || [ "$(echo "$t < $best" | bc)" = 1 ]; then best=$t; fi
        done
        echo "$name: best of 5: ${best}s ($(echo "$size / $best / 1000000" | bc) MB/s)"
    done
fi
