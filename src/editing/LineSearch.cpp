#include "editing/LineSearch.h"

#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>

namespace petari {

struct LineSearch::FoldedChunk {
    std::weak_ptr<const LineChunk> chunk;
    QString text;
    std::vector<qsizetype> starts;   // one a line, and the end of the last line
};

namespace {

// Below this many lines a search stays on the calling thread: starting the
// others would cost more than it saves.
constexpr int kLinesWorthThreads = 20000;

// Whether folding the chunk's text in one piece folds every line as it would
// alone.  Only two things look past a character: a half-width sound mark
// joins the letter before it, and a surrogate pair is one character to the
// case mapping.  Neither may join the last character of a line to the first
// of the next.
bool foldsLineByLine(const LineChunk& chunk, const SearchFolding& folding)
{
    const char16_t* text = chunk.text();
    const qsizetype size = chunk.textSize();
    if (folding.width) {
        for (qsizetype i = 0; i < size; ++i)
            if ((text[i] | 1) == 0xFF9F)   // ﾞ or ﾟ
                return false;
    }
    if (folding.letterCase) {
        for (int i = 1; i < chunk.lineCount(); ++i) {
            const qsizetype s = chunk.start(i);
            if (s > 0 && s < size && QChar::isHighSurrogate(text[s - 1]) && QChar::isLowSurrogate(text[s]))
                return false;
        }
    }
    return true;
}

void foldChunk(const LineChunk& chunk, const SearchFolding& folding, QString& text, std::vector<qsizetype>& starts)
{
    const int n = chunk.lineCount();
    starts.resize(size_t(n) + 1);
    if (foldsLineByLine(chunk, folding)) {
        text = foldForSearch(QStringView(chunk.text(), chunk.textSize()), folding);
        // A folding that changed a line's length leaves the starts unknown.
        if (text.size() == chunk.textSize()) {
            for (int i = 0; i < n; ++i)
                starts[size_t(i)] = chunk.start(i);
            starts[size_t(n)] = chunk.textSize();
            return;
        }
    }
    text.clear();
    text.reserve(chunk.textSize());
    for (int i = 0; i < n; ++i) {
        starts[size_t(i)] = text.size();
        text += foldForSearch(chunk.line(i), folding);
    }
    starts[size_t(n)] = text.size();
}

// The words and the one character looked for first: the highest code unit
// of all words, as kanji are rarer than kana and kana rarer than Latin
// letters, so that few places need a closer look.
struct Query {
    explicit Query(const QStringList& all) : words(all)
    {
        for (int w = 0; w < words.size(); ++w)
            for (qsizetype i = 0; i < words[w].size(); ++i)
                if (words[w][i].unicode() > anchor.unicode()) {
                    anchor = words[w][i];
                    anchorWord = w;
                    anchorOffset = i;
                }
        for (int w = 0; w < words.size(); ++w)
            if (w != anchorWord)
                others.append(words[w]);
    }
    QStringList words;
    QStringList others;   // every word but the anchor's
    QChar anchor;
    int anchorWord = 0;
    qsizetype anchorOffset = 0;
};

struct PieceSearch {
    const std::vector<qsizetype>* starts = nullptr;
    const QString* text = nullptr;
    int first = 0;   // the piece's lines in its chunk
    int count = 0;
    int row = 0;     // the row of its first line
    std::vector<int> rows;
};

// The lines of the piece that hold every word: the anchor is looked for
// through the whole run at once, each place it is found tried as the
// anchor word, and a line that holds it is then asked for the other words.
void searchPiece(PieceSearch& p, const Query& q)
{
    const std::vector<qsizetype>& starts = *p.starts;
    const int last = p.first + p.count;   // the end of the piece, in lines
    const QStringView word = q.words[q.anchorWord];
    const QStringView run(p.text->constData(), starts[size_t(last)]);
    const qsizetype k = q.anchorOffset;
    int line = p.first;
    qsizetype from = starts[size_t(p.first)];   // the first place the word may start
    for (;;) {
        const qsizetype hit = run.indexOf(q.anchor, from + k);
        if (hit < 0)
            return;
        // The line the anchor is in: lines only go forward.
        line = int(std::upper_bound(starts.begin() + line + 1, starts.begin() + last + 1, hit) - starts.begin()) - 1;
        const qsizetype lineStart = starts[size_t(line)], lineEnd = starts[size_t(line) + 1];
        const qsizetype start = hit - k;
        if (start < lineStart) {   // the word would begin in the line before
            from = lineStart;
            continue;
        }
        if (start + word.size() > lineEnd) {   // so would every later place in this line
            from = lineEnd;
            continue;
        }
        if (run.mid(start, word.size()) != word) {
            from = start + 1;
            continue;
        }
        if (holdsEveryWord(run.mid(lineStart, lineEnd - lineStart), q.others))
            p.rows.push_back(p.row + line - p.first);
        from = lineEnd;
    }
}

template <class Sequence, class Function>
void onEveryCore(Sequence& items, int lineCount, Function f)
{
    if (lineCount < kLinesWorthThreads || items.size() < 2) {
        for (auto& item : items)
            f(item);
        return;
    }
    QtConcurrent::blockingMap(items, f);
}

}  // namespace

LineSearch::LineSearch() = default;
LineSearch::~LineSearch() = default;

std::vector<std::shared_ptr<const LineSearch::FoldedChunk>> LineSearch::foldedPieces(const LineText& lines)
{
    struct Fold {
        std::shared_ptr<const LineChunk> chunk;
        std::shared_ptr<FoldedChunk> folded;
    };
    std::vector<Fold> toFold;
    std::vector<std::shared_ptr<const FoldedChunk>> pieces;
    pieces.reserve(lines.pieces().size());
    int linesToFold = 0;
    for (const LineText::Piece& p : lines.pieces()) {
        std::shared_ptr<FoldedChunk>& kept = folded_[p.chunk.get()];
        // A chunk that died may have left its address to a new one.
        if (!kept || kept->chunk.expired()) {
            kept = std::make_shared<FoldedChunk>();
            kept->chunk = p.chunk;
            toFold.push_back({p.chunk, kept});
            linesToFold += p.chunk->lineCount();
        }
        pieces.push_back(kept);
    }
    const SearchFolding folding = folding_;
    onEveryCore(toFold, linesToFold,
                [&folding](Fold& f) { foldChunk(*f.chunk, folding, f.folded->text, f.folded->starts); });
    chunksFolded_ += int(toFold.size());
    return pieces;
}

std::vector<int> LineSearch::matchingRows(const LineText& lines, const QStringList& words,
                                          const SearchFolding& folding)
{
    std::vector<int> rows;
    if (words.isEmpty()) {
        rows.resize(size_t(lines.size()));
        for (int i = 0; i < lines.size(); ++i)
            rows[size_t(i)] = i;
        return rows;
    }
    if (folding.width != folding_.width || folding.kana != folding_.kana || folding.letterCase != folding_.letterCase) {
        folded_.clear();
        folding_ = folding;
    }
    const std::vector<std::shared_ptr<const FoldedChunk>> folded = foldedPieces(lines);
    std::vector<PieceSearch> searches(folded.size());
    int row = 0;
    for (size_t i = 0; i < folded.size(); ++i) {
        const LineText::Piece& p = lines.pieces()[i];
        searches[i].starts = &folded[i]->starts;
        searches[i].text = &folded[i]->text;
        searches[i].first = p.first;
        searches[i].count = p.count;
        searches[i].row = row;
        row += p.count;
    }
    const Query query(words);
    onEveryCore(searches, lines.size(), [&query](PieceSearch& s) { searchPiece(s, query); });
    size_t found = 0;
    for (const PieceSearch& s : searches)
        found += s.rows.size();
    rows.reserve(found);
    for (const PieceSearch& s : searches)
        rows.insert(rows.end(), s.rows.begin(), s.rows.end());
    return rows;
}

void LineSearch::keepOnly(const LineText& lines)
{
    std::unordered_map<const LineChunk*, std::shared_ptr<FoldedChunk>> kept;
    for (const LineText::Piece& p : lines.pieces()) {
        const auto it = folded_.find(p.chunk.get());
        if (it != folded_.end() && !it->second->chunk.expired())
            kept.insert(*it);
    }
    folded_.swap(kept);
}

}  // namespace petari
