#!/usr/bin/env python3
"""The sources read in their own words: no file of src/ over 600 lines, and
outside string literals and comments no identifier in the form language of
the program's forebear (Form7, Command2_Click, text1_) or one of its
romanised procedure names (hyouji, mokuji).  Those names live on only as
data a user or a stored file meets: settings keys and error-report labels.
Controls are named in English for their role, so no name in quotes in a
`ui/` folder is one of the forebear's control, form or menu names (Text1,
Command1_2, Form4, mfh, saiY, uHoson)."""
import pathlib, re, sys

MAX_LINES = 600
ROMANISED = set("""
asyusei bnkt bunkatu f2load f_sakusei f_setumei fileMeiHyouji fload guleyulibi hcyansel henkan01
hina hizuke hk45 hkttei hozon hskes hyou hyouji hyouji_SB hyouji_copyM hyouji_settei kKakunin
kakaku kansiYomi kddemo keikoku01 ketaire kgsj kisanH kttei1 kuugyo kuugyoutuika l11basyo
listhyouji logHozon mcopy memotyou mf01 mf02 mf027 mf03 mfh mfho mfhoMac mfnk mfs mfsr mh01 mhb
mhelp mhelph mhs mhs01 mhst mhyouji mojitui mojituika mojituikarenH mokoBU mokuji nkakunin nryoku
nyou1 nyou2 okini okini1 okini2 okiniLast okiniSlots okinibh okinihensyu okinihyouji okinilisth
okinituika r_cr1 r_cr2 ransu1 regisuto1Y regisutoH regisutoY rejiHozo rejikaki rireki rireki0
rireki01 rirekiCount rirekic rirekituika sSoroe saiY saicopy sakujo seisuuKeta seisuuM sekki24
sentaku settei settei0 settei01 settei02 setti soroelu souto space2 ssh stteihnk subete syousuuM
syusei temaeh temaeh2 timeStanp tuika tuikaC uHoson waku yokobo01 yokobo2 yokobo4 yokobo5
yulibigule zenMojiH zero2 CoDiHiraku CoDiHozon FdMeiH FiMeiH FileMeiHenModosu FileMeiHenkan
FmSaku HFKaki HFKakiMac HG00H HG01H HG02H HG03H HG04H HG05H HG06H HMHL MHyouji MHyouji2 MKJ
MTRenbH MojiShuru PsMeiH RanMojiS RanSu RanSu2 RgsKaki RgsYomi RnSuHyouji RnsNKansi Saijitu
F4_Main F4h0 F4h1 F4h3 F4h4 F4h5 kaigyou henkan henkan2 modosusumu okiniLast rejiHozo
""".split())
FORM_STYLE = [
    re.compile(r"^Form\d+"),
    re.compile(r"^Form_[A-Z]"),
    re.compile(r"^[A-Za-z][A-Za-z0-9]*_(Click|Change|MouseUp|MouseDown|MouseMove|KeyPress|KeyDown|"
               r"DblClick|Resize|GotFocus|LostFocus|Timer|DropDown|OLEDragDrop|OLEDragOver|Refresh)$"),
    re.compile(r"^(?i:text|check|command|combo|option|label|list|picture|frame|drive|dir|file|timer)\d+"),
    re.compile(r"^(?i:line)\d+_$"),
]
# A control of a control array carries its index after an underscore (List1_0, bnkt_3).
OBJECT_STYLE = [re.compile(r"^(?i:text|check|command|combo|option|label|list|picture|frame|drive|dir|file|timer|"
                           r"line|shape|image)\d+(_\d+)?$")]
# Windows whose controls are still to be renamed; their tests find them by the old names.
OBJECT_NAMES_PENDING = {"dialogs", "filenames", "generators", "price", "table"}
LITERAL = re.compile(r'"([A-Za-z][A-Za-z0-9_]*)"')
TOKENS = re.compile(r'//[^\n]*|/\*.*?\*/|R"(\w*)\((?:.|\n)*?\)\1"|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)
WORD = re.compile(r"\b[A-Za-z_][A-Za-z0-9_]*\b")


def forebear_name(name):
    base = re.sub(r"_\d+$", "", name)
    return (name in ROMANISED or base in ROMANISED or any(p.match(name) for p in FORM_STYLE + OBJECT_STYLE))


def forebear_object_names(path, text, src):
    """The names in quotes in a ui/ file that are the forebear's control, form or menu names."""
    parts = path.relative_to(src).parts
    if "ui" not in parts[:-1] or parts[0] in OBJECT_NAMES_PENDING:
        return []
    return sorted({n for n in LITERAL.findall(text) if forebear_name(n)})


def main(src):
    failures = []
    for path in sorted(pathlib.Path(src).rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        text = path.read_text(encoding="utf-8")
        lines = text.count("\n")
        if lines > MAX_LINES:
            failures.append(f"{path}: {lines} lines (at most {MAX_LINES})")
        code = TOKENS.sub(" ", text)
        bad = sorted({w for w in WORD.findall(code)
                      if w in ROMANISED or any(p.match(w) for p in FORM_STYLE)})
        if bad:
            failures.append(f"{path}: {' '.join(bad)}")
        named = forebear_object_names(path, text, pathlib.Path(src))
        if named:
            failures.append(f"{path}: the forebear's control names in quotes: {' '.join(named)}")
    print("\n".join(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "src"))
