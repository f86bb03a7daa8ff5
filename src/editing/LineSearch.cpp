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

void foldChunk(const LineChunk& chunk, const SearchFolder& folder, QString& text, std::vector<qsizetype>& starts)
{
    const int n = chunk.lineCount();
    starts.resize(size_t(n) + 1);
    text.reserve(chunk.textSize());
    for (int i = 0; i < n; ++i) {
        starts[size_t(i)] = text.size();
        folder.appendFolded(chunk.line(i), text);
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
// through the whole run at once, the anchor word compared where it is found,
// and only where it is there is its line looked up, checked to hold the
// whole word, and asked for the other words.
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
        const qsizetype start = hit - k;
        if (start + word.size() > run.size() || run.mid(start, word.size()) != word) {
            from = start + 1;
            continue;
        }
        // The line the word starts in: lines only go forward.
        line = int(std::upper_bound(starts.begin() + line + 1, starts.begin() + last + 1, start) - starts.begin()) - 1;
        const qsizetype lineStart = starts[size_t(line)], lineEnd = starts[size_t(line) + 1];
        if (start + word.size() <= lineEnd && holdsEveryWord(run.mid(lineStart, lineEnd - lineStart), q.others))
            p.rows.push_back(p.row + line - p.first);
        // A word that runs into the next line is no match, nor is any later
        // place of this line.
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

struct LineSearch::Fold {
    std::shared_ptr<const LineChunk> chunk;
    std::shared_ptr<FoldedChunk> folded;
    void operator()(const SearchFolder& folder) const { foldChunk(*chunk, folder, folded->text, folded->starts); }
};

LineSearch::LineSearch() = default;

LineSearch::~LineSearch() { finishFolding(); }

void LineSearch::useFolding(const SearchFolding& folding)
{
    if (folding.width == folding_.width && folding.kana == folding_.kana && folding.letterCase == folding_.letterCase)
        return;
    finishFolding();
    folded_.clear();
    folding_ = folding;
}

std::vector<LineSearch::Fold> LineSearch::newChunks(const LineText& lines, int& lineCount)
{
    std::vector<Fold> toFold;
    lineCount = 0;
    for (const LineText::Piece& p : lines.pieces()) {
        std::shared_ptr<FoldedChunk>& kept = folded_[p.chunk.get()];
        // A chunk that died may have left its address to a new one.
        if (!kept || kept->chunk.expired()) {
            kept = std::make_shared<FoldedChunk>();
            kept->chunk = p.chunk;
            toFold.push_back({p.chunk, kept});
            lineCount += p.chunk->lineCount();
        }
    }
    chunksFolded_ += int(toFold.size());
    return toFold;
}

void LineSearch::prepare(const LineText& lines, const SearchFolding& folding)
{
    finishFolding();
    useFolding(folding);
    int lineCount = 0;
    background_ = newChunks(lines, lineCount);
    if (background_.empty())
        return;
    const SearchFolder folder(folding_);
    running_ = QtConcurrent::map(background_, [folder](const Fold& f) { f(folder); });
}

void LineSearch::finishFolding()
{
    running_.waitForFinished();
    background_.clear();
}

std::vector<std::shared_ptr<const LineSearch::FoldedChunk>> LineSearch::foldedPieces(const LineText& lines)
{
    finishFolding();
    int lineCount = 0;
    std::vector<Fold> toFold = newChunks(lines, lineCount);
    const SearchFolder folder(folding_);
    onEveryCore(toFold, lineCount, [&folder](const Fold& f) { f(folder); });
    std::vector<std::shared_ptr<const FoldedChunk>> pieces;
    pieces.reserve(lines.pieces().size());
    for (const LineText::Piece& p : lines.pieces())
        pieces.push_back(folded_[p.chunk.get()]);
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
    useFolding(folding);
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
    finishFolding();
    std::unordered_map<const LineChunk*, std::shared_ptr<FoldedChunk>> kept;
    for (const LineText::Piece& p : lines.pieces()) {
        const auto it = folded_.find(p.chunk.get());
        if (it != folded_.end() && !it->second->chunk.expired())
            kept.insert(*it);
    }
    folded_.swap(kept);
}

}  // namespace petari
