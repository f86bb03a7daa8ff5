#include "mainwindow/MainController.h"

#include "platform/InstanceRegistry.h"
#include "platform/SettingsStore.h"
#include "platform/StringUtils.h"
#include "document/Cp932.h"
#include "document/HexView.h"
#include "document/TextFile.h"
#include "editing/Favourites.h"
#include "editing/History.h"
#include "editing/Sort.h"
#include "editing/Splitting.h"
#include "editing/Stamps.h"
#include "editing/TableOfContents.h"
#include "editing/UndoChain.h"
#include "editing/WorkFolder.h"
#include "platform/Clipboard.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"
#include "editing/Modify.h"
#include "services/NoticeRequest.h"
#include "services/ProgramInfo.h"
#include "services/VersionInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace petari {

namespace {
const QString F1 = QStringLiteral("F1");
const QString F5 = QStringLiteral("F5");
const QString CRLF = QStringLiteral("\r\n");

// Revision of this program, for the version bookkeeping of the settings.
constexpr int kMajor = 2;
constexpr int kMinor = 40;
constexpr int kRevision = 167;

QString label(const char* name) { return QStringLiteral("F1 ") + QLatin1String(name); }
}  // namespace

MainController::MainController(SettingsStore& settings, UserPrompt& prompt, Clipboard& clipboard,
                               QString programFolder, QObject* parent)
    : QObject(parent),
      settings_(settings),
      prompt_(prompt),
      clipboard_(clipboard),
      programFolder_(std::move(programFolder)),
      history_(std::make_unique<History>()),
      favourites_(std::make_unique<Favourites>()),
      undo_(std::make_unique<UndoChain>(settings, programFolder_))
{
}

MainController::~MainController() = default;

// ---------------------------------------------------------------- start-up

bool MainController::startUp(const QStringList& arguments, InstanceRegistry& registry)
{
    bool proceed = true;
    guarded(label("Form_Load"), [&] {
        const bool othersRunning = registry.othersRunning();
        if (settings_.isOn(F5, QStringLiteral("s6")) && othersRunning) {
            forcedExit_ = 99;
            proceed = false;
            return;
        }
        registry.acquire();

        const QString stored = settings_.read(QStringLiteral("A1"), QStringLiteral("No"), QStringLiteral("0"));
        bool ok = false;
        const int no = stored.trimmed().toInt(&ok);
        if (!ok || no < 0 || no > 255)
            throw Failure(err::Overflow, QStringLiteral("A1/No の値が不正です: ") + stored);
        instance_ = othersRunning ? no : 0;
        if (instance_ > 5)
            instance_ = 1;
        settings_.write(QStringLiteral("A1"), QStringLiteral("No"), QString::number(instance_ + 1));

        RgsYomi();

        // Each argument is one path already, so a path with blanks stays whole.
        if (!arguments.isEmpty() && !arguments.front().isEmpty()) {
            fload(arguments.front());
        } else if (settings_.isOn(F5, QStringLiteral("s2"))) {
            fload(settings_.read(F5, QStringLiteral("s3"),
                                 programFolder_ + QStringLiteral("/ペタリ_はじめに読んでください.txt")));
        }
        if (doc_.fileName.isEmpty()) {
            guarded(QStringLiteral("M2 mokoBU"), [&] { undo_->startupSnapshot(lines_.lines()); });
            mokuji();
        }
        hyouji();
        if (presenter_)
            showVersionNotice(settings_, *presenter_);
        priceVisible_ = settings_.read(QStringLiteral("F7"), QStringLiteral("Visible"),
                                       QStringLiteral("False"))
                            .compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0;
    });
    return proceed;
}

void MainController::kansiYomi()
{
    for (int i = 0; i < 3; ++i)
        if (settings_.read(F5, QString::number(20 + i), QStringLiteral("0")) == QLatin1String("1"))
            monitor_.setMode(i + 1);
}

void MainController::RgsYomi()
{
    guarded(label("RgsYomi"), [&] {
        TwipsRect r;
        r.top = static_cast<int>(settings_.number(F1, QStringLiteral("top"), 105)) + instance_ * 300;
        r.left = static_cast<int>(settings_.number(F1, QStringLiteral("Left"), 105)) + instance_ * 300;
        r.height = static_cast<int>(settings_.number(F1, QStringLiteral("Height"), 5000));
        r.width = static_cast<int>(settings_.number(F1, QStringLiteral("Width"), 7000));
        view_->setGeometryTwips(r);
        kansiYomi();
        rightClick_ = static_cast<int>(settings_.number(F1, QStringLiteral("rcrh0"), 4));
        history_->load(settings_);
        emit historyChanged();
        const bool onTop = settings_.isOn(F5, QStringLiteral("s4"));
        view_->setAlwaysOnTop(onTop);
        favourites_->load(settings_);
        emit favouritesChanged();
        emit refreshed();
    });
}

void MainController::RgsKaki()
{
    guarded(label("RgsKaki"), [&] {
        if (view_->isNormalState()) {
            const TwipsRect r = view_->geometryTwips();
            settings_.write(F1, QStringLiteral("top"), QString::number(r.top));
            settings_.write(F1, QStringLiteral("Left"), QString::number(r.left));
            settings_.write(F1, QStringLiteral("Height"), QString::number(r.height));
            settings_.write(F1, QStringLiteral("Width"), QString::number(r.width));
        }
        settings_.write(F1, QStringLiteral("rcrh0"), QString::number(rightClick_));
        history_->save(settings_);
        favourites_->save(settings_);
        const QString ver = QStringLiteral("ver");
        if (settings_.number(ver, QStringLiteral("revision"), 0) < kRevision) {
            settings_.write(ver, QStringLiteral("major"), QString::number(kMajor));
            settings_.write(ver, QStringLiteral("minor"), QString::number(kMinor));
            settings_.write(ver, QStringLiteral("revision"), QString::number(kRevision));
        }
        settings_.sync();
    });
}

void MainController::requestExitDeletingSettings()
{
    deleteSettingsOnExit_ = true;
    view_->requestClose();
}

bool MainController::queryUnload()
{
    bool mayClose = false;
    const bool ran = guarded(label("Form_QueryUnload"), [&] {
        if (forcedExit_ == 99) {
            mayClose = true;
            return;
        }
        if (keikoku01() == 2) {
            deleteSettingsOnExit_ = false;
            return;
        }
        if (settings_.isOn(F5, QStringLiteral("s5"))) {
            const QString q = QStringLiteral("「") + MKJ(QStringLiteral("0")) +
                              QStringLiteral("」を終了しますか?");
            if (prompt_.askYesNo(caption(), q, Icon::Question) != Answer::Yes) {
                deleteSettingsOnExit_ = false;
                return;
            }
        }
        RgsKaki();
        if (instance_ == 0)
            settings_.write(QStringLiteral("A1"), QStringLiteral("No"), QStringLiteral("0"));
        if (deleteSettingsOnExit_) {
            const QString q = QStringLiteral("レジストリを削除しますか?") + CRLF + CRLF +
                              QStringLiteral("　レジストリを保存したい場合には、[キャンセル]で戻り[設定]→[レジストリの保存]で保存が出来ます。");
            const Answer a = prompt_.askYesNoCancel(caption(), q, Icon::Question);
            if (a == Answer::Cancel) {
                deleteSettingsOnExit_ = false;
                return;
            }
            if (a == Answer::Yes)
                settings_.deleteAll();
        }
        settings_.sync();
        mayClose = true;
    });
    if (!ran)
        deleteSettingsOnExit_ = false;
    return mayClose;
}

// ---------------------------------------------------------------- documents

int MainController::foldWidth() const
{
    if (!settings_.isOn(F5, QStringLiteral("s8")))
        return 0;
    // A width of 0 or less would cut nothing and never end: it means no folding.
    return std::max(0, leadingInt(settings_.read(F5, QStringLiteral("s1"), QStringLiteral("100"))));
}

QStringList MainController::addedLines(QStringList read) const
{
    // Each line read goes through the add-line step; most need no breaking,
    // and a million of them must not each pay for a list of one.
    const int width = foldWidth();
    QStringList out;
    out.reserve(read.size());
    for (QString& line : read) {
        if (!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')) &&
            (width == 0 || line.size() <= width))
            out.append(std::move(line));
        else
            out.append(splitAddedText(line, width));
    }
    return out;
}

void MainController::fload(QString path)
{
    guarded(QStringLiteral("F1 fload　") + path, [&] {
        if (doc_.loadMode != LoadRestore && keikoku01() == 2)
            return;
        if (path.startsWith(QLatin1Char('"'))) {
            path.remove(0, 1);
            if (path.endsWith(QLatin1Char('"')))
                path.chop(1);
        }
        if (!QFileInfo::exists(path))
            throw Failure(err::FileNotFound, describeError(err::FileNotFound) + QStringLiteral("　") + path);
        // A file that could not be read leaves the document as it was.
        if (!f2load(path))
            return;
        if (doc_.loadMode == LoadRestore) {
            mokuji();
            hyouji();
        } else {
            rirekituika(path);
            CommitEdit(path, 0, QStringLiteral("　開く　"), 1);
        }
    });
}

bool MainController::f2load(const QString& path)
{
    return guarded(QStringLiteral("F1 f2load　") + path, [&] {
        if (doc_.loadMode == LoadHex) {
            QFile f(path);
            if (QFileInfo(path).isDir())
                throw Failure(err::PathFileAccess, QStringLiteral("フォルダは開けません　") + path);
            if (!f.open(QIODevice::ReadOnly))
                throw Failure(f.error() == QFileDevice::PermissionsError ? err::PermissionDenied
                                                                         : err::PathFileAccess);
            const QByteArray bytes = f.readAll();
            lines_.setLines(hexViewLines(bytes));
            doc_.hexView = true;
            return;
        }
        TextFileContent content = readTextFile(path);
        lines_.setLines(addedLines(std::move(content.lines)));
        doc_.hexView = false;
        if (doc_.loadMode != LoadRestore) {
            doc_.encoding = content.encoding;
            doc_.hadInvalidBytes = content.invalidBytes > 0;
        }
    });
}

void MainController::newDocument()
{
    guarded(label("mfnk_Click"), [&] {
        if (keikoku01() == 2)
            return;
        lines_.clear();
        doc_.encoding = TextEncoding::Cp932;
        doc_.hadInvalidBytes = false;
        CommitEdit(QString(), 0, QStringLiteral("新規作成"), 0);
    });
}

void MainController::openWithDialog()
{
    guarded(label("mfh_Click"), [&] {
        const QString path = CoDiHiraku();
        if (!path.isEmpty())
            fload(path);
    });
}

void MainController::reloadAsHex()
{
    if (doc_.fileName.isEmpty())
        return;
    doc_.loadMode = LoadHex;
    fload(doc_.fileName);
    doc_.loadMode = LoadText;
}

void MainController::saveOver()
{
    if (!doc_.fileName.isEmpty())
        doc_.overwrite = true;
    hozon();
}

void MainController::saveAs() { hozon(); }

void MainController::saveAsMac()
{
    doc_.mac = true;
    hozon();
    doc_.mac = false;
}

QString MainController::CoDiHiraku()
{
    return guardedValue<QString>(label("CoDiHiraku"), QString(), [&] {
        return prompt_.openFileName(caption(),
                                    QStringLiteral("All Files (*.*)|*.*|ﾃｷｽﾄ ﾌｧｲﾙ (*.txt)|*.txt"));
    });
}

QString MainController::CoDiHozon(const QString& suggested)
{
    return guardedValue<QString>(label("CoDiHozon"), QString(), [&]() -> QString {
        for (;;) {
            const QString chosen = prompt_.saveFileName(caption(), QStringLiteral("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)|*.txt"),
                                                        suggested);
            if (chosen.isEmpty())
                return QString();
            if (!QFileInfo::exists(chosen))
                return chosen;
            const QString q = chosen + CRLF + QStringLiteral("は既に存在します。") + CRLF + CRLF +
                              QStringLiteral("このファイルに、上書き保存しますか。");
            if (prompt_.askYesNo(caption(), q, Icon::Exclamation, Answer::No) == Answer::Yes) {
                takeBackup();
                return chosen;
            }
        }
    });
}

bool MainController::hozon()
{
    bool saved = false;
    guarded(label("hozon"), [&] {
        QString name = doc_.fileName;
        if (doc_.hexView) {
            // A hexadecimal view is never written over the file it shows.
            name = FmSaku(doc_.fileName, QStringLiteral("バイナリ表示"));
            if (!name.isEmpty())
                name += QStringLiteral(".txt");
            doc_.overwrite = false;
        }
        if (doc_.overwrite) {
            takeBackup();
            doc_.overwrite = false;
        } else {
            name = CoDiHozon(name);
        }
        if (name.isEmpty())
            return;
        if (pathExt(name) != QLatin1String("txt")) {
            const QString q = QStringLiteral("テキスト(txt)以外のファイルは、内容が壊れて保存されます。") + CRLF + CRLF +
                              QStringLiteral("それでも保存しますか?");
            if (prompt_.askYesNo(caption(), q, Icon::Exclamation, Answer::No) != Answer::Yes)
                return;
        }
        if (doc_.hadInvalidBytes && !doc_.hexView &&
            QFileInfo(name).absoluteFilePath() == QFileInfo(doc_.fileName).absoluteFilePath()) {
            const QString q = QStringLiteral("このファイルには文字として読めないバイトがありました。") + CRLF +
                              QStringLiteral("保存すると、その部分は「") + QChar(0xFFFD) +
                              QStringLiteral("」に置き換わります。") + CRLF + CRLF +
                              QStringLiteral("上書き保存しますか?");
            if (prompt_.askYesNo(caption(), q, Icon::Exclamation, Answer::No) != Answer::Yes)
                return;
        }
        const bool written = doc_.mac ? HFKakiMac(name) : HFKaki(name);
        if (!written)
            return;
        doc_.modified = 0;
        doc_.fileName = name;
        if (!doc_.hexView)
            doc_.hadInvalidBytes = false;
        rirekituika(name);
        hyouji();
        saved = true;
    });
    return saved;
}

QStringList MainController::hexHeader(const QString& path) const
{
    return {path + QStringLiteral("の内容をを１byteづつ16進数で表示しています。"),
            MKJ(QStringLiteral("012")) + QStringLiteral("より出力"), QString()};
}

namespace {
// Text CP932 cannot hold is never written as "?": the user chooses UTF-8, or
// nothing is written.
bool chooseEncoding(UserPrompt& prompt, const QStringList& lines, TextEncoding& encoding)
{
    if (encoding != TextEncoding::Cp932)
        return true;
    QString bad = unencodableCharacters(lines, encoding);
    if (bad.isEmpty())
        return true;
    if (bad.size() > 40)
        bad = bad.left(40) + QStringLiteral("…");
    const QString q = QStringLiteral("次の文字はShift_JIS(CP932)では保存できません。") + CRLF + bad + CRLF + CRLF +
                      QStringLiteral("UTF-8で保存しますか?") + CRLF +
                      QStringLiteral("([いいえ]を選ぶと保存しません。)");
    if (prompt.askYesNo(MainController::caption(), q, Icon::Exclamation, Answer::Yes) != Answer::Yes)
        return false;
    encoding = TextEncoding::Utf8;
    return true;
}
}  // namespace

bool MainController::writeDocument(const QString& path, bool mac)
{
    bool written = false;
    guarded(label(mac ? "HFKakiMac" : "HFKaki"), [&] {
        QStringList out;
        if (doc_.hexView)
            out = hexHeader(path);
        out.append(lines_.lines());
        TextEncoding enc = doc_.encoding;
        if (!chooseEncoding(prompt_, out, enc))
            return;
        if (mac)
            writeMacTextFile(path, out, enc);
        else
            writeTextFile(path, out, enc);
        doc_.encoding = enc;
        written = true;
    });
    return written;
}

bool MainController::HFKaki(const QString& path) { return writeDocument(path, false); }

bool MainController::HFKakiMac(const QString& path) { return writeDocument(path, true); }

int MainController::keikoku01()
{
    return guardedValue<int>(QStringLiteral("M2 keikoku01"), 2, [&]() -> int {
        QString word;
        if (!doc_.fileName.isEmpty()) {
            word = QStringLiteral("上書き");
            doc_.overwrite = true;
        }
        if (doc_.modified == 0) {
            doc_.overwrite = false;
            return 0;
        }
        const QString C = caption();
        QString msg;
        if (doc_.modified == 2) {
            msg = QStringLiteral("「") + C + QStringLiteral("」のデータがここで作成された内容に置換えられます。") + CRLF +
                  QStringLiteral("保存しない場合、「") + C + QStringLiteral("」の今のデータは失われます。") + CRLF + CRLF +
                  QStringLiteral("「") + C + QStringLiteral("」の今のデータを") + word + QStringLiteral("保存しますか?");
        } else {
            msg = QStringLiteral("データが変更されています。") + CRLF +
                  QStringLiteral("保存しない場合、表示している内容が失われます。") + CRLF + CRLF + word +
                  QStringLiteral("保存しますか?");
        }
        const Answer a = prompt_.askYesNoCancel(C, msg, Icon::Exclamation);
        if (a == Answer::Yes) {
            const bool saved = hozon();
            doc_.overwrite = false;
            // Unsaved content must not be thrown away when the save did not happen.
            return saved ? 6 : 2;
        }
        if (a == Answer::No) {
            takeBackup();
            doc_.modified = 0;
            doc_.overwrite = false;
            return 7;
        }
        doc_.overwrite = false;
        return 2;
    });
}

void MainController::startEditor()
{
    guarded(label("memotyou_Click"), [&] {
        const QString exe = settings_.read(F5, QStringLiteral("exe1"), QStringLiteral("xdg-open"));
        QStringList args;
        if (!doc_.fileName.isEmpty())
            args << doc_.fileName;
        if (!QProcess::startDetached(exe, args))
            throw Failure(err::FileNotFound,
                          QStringLiteral("テキストエディタを起動できません　") + exe);
    });
}

void MainController::openNeighbour(int index)
{
    guarded(label("Command3_Click"), [&] {
        if (doc_.fileName.isEmpty())
            return;
        const QFileInfo fi(doc_.fileName);
        const QDir dir = fi.absoluteDir();
        const QStringList files = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
        if (files.isEmpty())
            return;
        qsizetype p = files.indexOf(pathTail(QDir::fromNativeSeparators(doc_.fileName)));
        if (p < 0)
            p = files.size();
        qsizetype target = p + index - 1;
        if (target < 0)
            target = files.size() - 1;
        if (target > files.size() - 1)
            target = 0;
        fload(dir.filePath(files.at(target)));
    });
}

void MainController::openDropped(const QStringList& paths)
{
    guarded(label("List1_OLEDragDrop"), [&] {
        if (!paths.isEmpty())
            fload(paths.front());
    });
}

// ---------------------------------------------------------------- lines

int MainController::sentaku() const
{
    const int first = lines_.firstSelected();
    return first < 0 ? lines_.count() : first;
}

void MainController::tuika(const QString& text)
{
    guarded(label("tuika"), [&] { lines_.insertLines(sentaku(), splitAddedText(text, foldWidth())); });
}

void MainController::sakujo()
{
    guarded(label("sakujo"), [&] {
        int top = view_->topRow();
        lines_.clearCurrent();
        lines_.removeSelected();
        if (top >= lines_.count())
            top = lines_.count() - 1;
        view_->scrollToTop(std::max(top, 0));
    });
}

void MainController::takeBackup()
{
    guarded(QStringLiteral("M2 mokoBU"), [&] { undo_->takeBackup(lines_.lines()); });
}

void MainController::CommitEdit(const QString& fileName, int modified, const QString& operationName,
                                int keepView)
{
    if (keepView == 0)
        doc_.hexView = false;
    doc_.fileName = fileName;
    doc_.modified = modified;
    mokuji();
    guarded(QStringLiteral("M2 mokoBU"),
            [&] { undo_->commit(lines_.lines(), modified, operationName); });
    hyouji();
}

// ---------------------------------------------------------------- editing commands

void MainController::deleteLines()
{
    if (lines_.selectedCount() == 0)
        return;
    sakujo();
    CommitEdit(doc_.fileName, 1, QStringLiteral("　削除　"), 1);
}

void MainController::selectAll()
{
    guarded(label("subete_Click"), [&] {
        lines_.selectAll();
        hyouji();
    });
}

void MainController::sortLines()
{
    guarded(label("souto_Click"), [&] {
        lines_.setLines(petari::sortLines(lines_.lines()));
        CommitEdit(doc_.fileName, 1, QStringLiteral("並べ替え"), 1);
    });
}

void MainController::undoRedo(int index)
{
    guarded(label("modosusumu_Click"), [&] {
        const QString path = index == 0 ? undo_->undoStep() : undo_->redoStep();
        // A snapshot is restored without the unsaved-change warning, and
        // leaves the file name, modified flag, history and undo state alone.
        guarded(QStringLiteral("F1 fload　") + path, [&] {
            lines_.setLines(addedLines(undo_->loadSnapshot(path)));
            doc_.hexView = false;
        });
        mokuji();
        hyouji();
    });
}

void MainController::addInput(const QString& text)
{
    guarded(label("Command1_Click"), [&] {
        tuika(text);
        CommitEdit(doc_.fileName, 1, QStringLiteral("　追加　"), 1);
    });
}

void MainController::replaceSelection(const QString& text)
{
    guarded(label("Command1_Click"), [&] {
        if (lines_.selectedCount() == 0)
            return;
        tuika(text);
        sakujo();
        CommitEdit(doc_.fileName, 1, QStringLiteral("　書換　"), 1);
    });
}

namespace {
class ControllerStampHost : public StampHost {
public:
    explicit ControllerStampHost(MainController& c) : c_(c) {}
    int keikoku01() override { return c_.keikoku01(); }
    QStringList lines() const override { return c_.lines().lines(); }
    void setLines(const QStringList& lines) override { c_.lines().setLines(lines); }
    void commitEdit(const QString& fileName, int modified, const QString& operation, int keepView) override
    {
        c_.CommitEdit(fileName, modified, operation, keepView);
    }

private:
    MainController& c_;
};
}  // namespace

void MainController::stampDateTime(const QDateTime& now)
{
    ControllerStampHost host(*this);
    hizuke_Click(host, now);
}

void MainController::splitCurrentLine(int mode)
{
    guarded(label("bunkatu"), [&] {
        split_.clear();
        const int row = lines_.currentRow();
        if (row >= 0 && row < lines_.count()) {
            const QString splitText = settings_.read(F5, QStringLiteral("st_t101"), QStringLiteral(">"));
            const QChar splitChar = splitText.isEmpty() ? QChar() : splitText.at(0);
            split_.setLines(bunkatu(lines_.line(row), mode, splitChar));
        }
        view_->setSplitListVisible(true);
        hyouji_SB();
    });
}

namespace {
class ControllerEditTarget : public LineEditTarget {
public:
    explicit ControllerEditTarget(MainController& c) : c_(c) {}
    QStringList selectedLines() const override
    {
        QStringList out;
        for (int r : c_.lines().selectedRows())
            out << c_.lines().line(r);
        return out;
    }
    void tuika(const QString& text) override { c_.tuika(text); }
    void sakujo() override { c_.sakujo(); }
    void commitEdit(const QString& operationName) override
    {
        c_.CommitEdit(c_.doc().fileName, 1, operationName, 1);
    }

private:
    MainController& c_;
};
}  // namespace

void MainController::modifySelection()
{
    if (!presenter_)
        return;
    ControllerEditTarget target(*this);
    syusei(target, *presenter_);
}

void MainController::showVersionInformation()
{
    if (presenter_)
        mhb(*presenter_, programFolder_);
}

// ---------------------------------------------------------------- clipboard monitor

std::optional<QString> MainController::monitorTick(const QString& inputText, bool composing)
{
    std::optional<QString> result;
    if (monitor_.mode() == 0 || monitorSuspended_)
        return result;
    guarded(label("Timer1_Timer"), [&] { result = monitor_.tick(clipboard_.text(), inputText, composing); });
    return result;
}

// ---------------------------------------------------------------- copying

void MainController::mcopy(int listIndex, int lineOption, int letterOption)
{
    guarded(label("mcopy"), [&] {
        clipboard_.clear();
        LineList& list = listIndex == 1 ? split_ : lines_;
        const std::vector<int> rows = list.selectedRows();
        if (rows.empty())
            return;
        lastList_ = listIndex;
        QStringList selected;
        selected.reserve(static_cast<qsizetype>(rows.size()));
        for (int r : rows)
            selected.append(list.line(r));
        clipboard_.setText(buildCopyText(selected, listIndex == 0, lineOption, letterOption,
                                         CopyOptions::fromSettings(settings_)));
    });
}

void MainController::List1_Click(int index)
{
    guarded(label("List1_Click"), [&] {
        if (lines_.currentRow() >= 0 || index == 1)
            mcopy(index, 0, 0);
        if (index == 0)
            view_->setSplitListVisible(false);
        hyouji_SB();
    });
}

void MainController::oneShot(int lineOption, int letterOption)
{
    guarded(label("henkan_Click"), [&] { mcopy(lastList_, lineOption, letterOption); });
}

void MainController::deselectAll()
{
    guarded(label("mhst_Click"), [&] {
        lines_.clearSelection();
        hyouji();
    });
}

void MainController::setRightClickChoice(int index)
{
    guarded(label("r_cr2_Click"), [&] {
        rightClick_ = index;
        emit refreshed();
    });
}

CopyMenuCaptions MainController::hyouji_copyM() const
{
    return copyMenuCaptions(CopyOptions::fromSettings(settings_));
}

QString MainController::editorCaption() const
{
    return QStringLiteral("「") + settings_.read(F5, QStringLiteral("exe2"), QStringLiteral("テキストエディタ")) +
           QStringLiteral("」を起動");
}

// ---------------------------------------------------------------- history, favourites, contents

void MainController::rirekituika(const QString& path)
{
    guarded(label("rirekituika"), [&] {
        if (history_->add(path))
            emit historyChanged();
    });
}

void MainController::openHistory(int index)
{
    guarded(label("rireki01_Click"), [&] {
        const QString path = history_->item(index);
        if (QFileInfo::exists(path)) {
            fload(path);
            return;
        }
        if (prompt_.askYesNo(caption(), History::missingFileQuestion(path), Icon::Question) == Answer::Yes) {
            history_->removeAt(index);
            emit historyChanged();
            hyouji();
        }
    });
}

void MainController::clearHistory()
{
    guarded(label("rirekic_Click"), [&] {
        history_->clear();
        emit historyChanged();
        hyouji();
    });
}

void MainController::addFavourite()
{
    guarded(label("okinituika_Click"), [&] {
        favourites_->add(doc_.fileName);
        emit favouritesChanged();
        hyouji();
    });
}

void MainController::openFavourite(int slot)
{
    const QString path = favourites_->slot(slot);
    if (!path.isEmpty())
        fload(path);
}

void MainController::mokuji()
{
    guarded(label("mokuji"), [&] {
        const QList<TocEntry> toc = petari::mokuji(lines_.lines());
        tocHeadings_.clear();
        tocLines_.clear();
        tocHeadings_.reserve(toc.size());
        tocLines_.reserve(static_cast<size_t>(toc.size()));
        for (const TocEntry& e : toc) {
            tocHeadings_.append(e.text);
            tocLines_.push_back(e.line);
        }
        emit tocChanged();
    });
}

void MainController::jumpToHeading(int index)
{
    guarded(label("Combo1_Click"), [&] {
        if (index >= 0 && index < static_cast<int>(tocLines_.size()))
            view_->scrollToTop(tocLines_[static_cast<size_t>(index)] - 1);
    });
}

// ---------------------------------------------------------------- display

MenuState MainController::menuState() const
{
    MenuState m;
    const int n = lines_.count();
    const int s = lines_.selectedCount();
    m.hasPath = !doc_.fileName.isEmpty();
    m.hasLines = n > 0;
    m.manyLines = n > 1;
    m.hasSelection = s > 0;
    m.oneSelected = s == 1;
    m.severalSelected = s > 1;
    m.canClearHistory = history_->canClear();
    m.canAddFavourite = favourites_->slot(10).isEmpty() && m.hasPath;
    m.addFavouriteCaption = Favourites::addCaption(doc_.fileName);
    m.canUndo = undo_->canUndo();
    m.canRedo = undo_->canRedo();
    m.undoCaption = undo_->undoCaption();
    m.redoCaption = undo_->redoCaption();
    m.editorCaption = editorCaption();
    m.copyCaptions = hyouji_copyM();
    return m;
}

QString MainController::statusText() const
{
    const int s = lines_.selectedCount();
    if (s == 0)
        return doc_.fileName;
    QString t = QStringLiteral("メイン ") + QString::number(lines_.currentRow() + 1) +
                QStringLiteral("行目　選択行数 ") + QString::number(s) + QStringLiteral("行　　");
    const int ss = split_.selectedCount();
    if (view_->isSplitListVisible() && ss > 0)
        t += QStringLiteral("分割 ") + QString::number(split_.currentRow() + 1) +
             QStringLiteral("行目　選択行数 ") + QString::number(ss) + QStringLiteral("行");
    return t;
}

void MainController::hyouji()
{
    guarded(label("hyouji"), [&] {
        emit refreshed();
        hyouji_SB();
    });
}

void MainController::hyouji_SB()
{
    guarded(label("hyouji_SB"), [&] { emit statusChanged(statusText()); });
}

}  // namespace petari
