#include "document/LineText.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <ostream>

namespace petari {

namespace {

// A piece of fewer lines and fewer units than these is short: when the list
// of pieces has grown too long, runs of short pieces are packed into new
// chunks.
constexpr int kShortPieceLines = 1024;
constexpr qsizetype kShortPieceUnits = LineChunk::kCapacity / 4;

qsizetype pieceUnits(const LineText::Piece& p)
{
    return p.chunk->end(p.first + p.count - 1) - p.chunk->start(p.first);
}

bool isShort(const LineText::Piece& p) { return p.count < kShortPieceLines && pieceUnits(p) < kShortPieceUnits; }

// When the list of pieces is worth packing: twice as long as packing can
// leave it (two pieces for every long one), so that packing is rare.  A
// million lines come in a few hundred chunks; thousands of edits may cut
// them before the list is packed.
bool tooManyPieces(size_t pieces, int lines, const std::function<qint64()>& units)
{
    const size_t cheap = 1024 + size_t(lines) / 256;
    return pieces > cheap && qint64(pieces) > qint64(cheap) + units() / (kShortPieceUnits / 4);
}

char16_t* allocateUnits(qsizetype units)
{
    auto* p = static_cast<char16_t*>(std::malloc(size_t(std::max<qsizetype>(units, 1)) * sizeof(char16_t)));
    if (!p)
        throw std::bad_alloc();
    return p;
}

bool contiguous(const LineText::Piece& a, const LineText::Piece& b)
{
    return a.chunk == b.chunk && a.first + a.count == b.first;
}

}  // namespace

// ---------------------------------------------------------------- LineChunk

LineChunk::~LineChunk()
{
    std::free(text_);
    std::free(starts_);
}

bool LineChunk::hasEmptyLine(int from, int to) const
{
    bool any = false;
    if (from == 0 && to > 0) {
        any = isEmpty(0);
        from = 1;
    }
    if (to == lineCount_ && to > from) {
        any |= isEmpty(to - 1);
        --to;
    }
    // Between the first and the last line both ends are starts.
    for (int i = from; i < to; ++i)
        any |= starts_[i - 1] == starts_[i];
    return any;
}

qint64 LineChunk::memoryBytes() const
{
    // The object with its shared count, the text and the starts.
    return qint64(sizeof(LineChunk)) + 32 + 2 * std::max<qint64>(size_, 1) + 2 * qint64(lineCount_ - 1);
}

// ---------------------------------------------------------------- LineBudget

const char* DocumentTooLarge::what() const noexcept
{
    return tooManyLines_ ? "too many lines for one document" : "too many characters for one document";
}

void LineBudget::take(qint64 lines, qint64 units)
{
    const bool linesLeft = lines_.fetch_sub(lines, std::memory_order_relaxed) - lines >= 0;
    const bool unitsLeft = units_.fetch_sub(units, std::memory_order_relaxed) - units >= 0;
    if (!linesLeft || !unitsLeft)
        throw DocumentTooLarge(!linesLeft);
}

// ---------------------------------------------------------------- LineTextBuilder

LineTextBuilder::~LineTextBuilder() { std::free(buffer_); }

char16_t* LineTextBuilder::beginLine(qsizetype maxUnits)
{
    // A line's start must fit the chunk's 16 bits, and a line is never
    // split between chunks.
    if (pending_ > 0 && (size_ + maxUnits > capacity_ || size_ > 0xFFFF || pending_ >= LineChunk::kMaxLines))
        seal();
    if (!buffer_) {
        capacity_ = std::max(LineChunk::kCapacity, maxUnits);
        buffer_ = allocateUnits(capacity_);
    } else if (size_ + maxUnits > capacity_) {
        auto* grown = static_cast<char16_t*>(std::realloc(buffer_, size_t(size_ + maxUnits) * sizeof(char16_t)));
        if (!grown)
            throw std::bad_alloc();
        buffer_ = grown;
        capacity_ = size_ + maxUnits;
    }
    return buffer_ + size_;
}

void LineTextBuilder::endLine(qsizetype units, bool mayHoldBreak)
{
    if (pending_ > 0)
        starts_.push_back(quint16(size_));
    if (mayHoldBreak && !hasBreak_) {
        const char16_t* p = buffer_ + size_;
        bool breaks = false;
        for (qsizetype i = 0; i < units; ++i)
            breaks |= (p[i] == u'\n') | (p[i] == u'\r');
        hasBreak_ = breaks;
    }
    longest_ = std::max(longest_, int(std::min<qsizetype>(units, INT_MAX)));
    size_ += units;
    ++pending_;
}

void LineTextBuilder::append(QStringView line)
{
    char16_t* to = beginLine(line.size());
    if (!line.isEmpty())
        std::memcpy(to, line.utf16(), size_t(line.size()) * sizeof(char16_t));
    endLine(line.size());
}

void LineTextBuilder::append(const LineText& lines)
{
    seal();
    if (budget_)
        budget_->take(lines.size(), lines.textSize());
    for (const LineText::Piece& p : lines.pieces())
        push(p);
}

void LineTextBuilder::push(LineText::Piece piece)
{
    sealed_ += piece.count;
    if (!pieces_.empty() && contiguous(pieces_.back(), piece))
        pieces_.back().count += piece.count;
    else
        pieces_.push_back(std::move(piece));
}

void LineTextBuilder::seal()
{
    if (pending_ == 0)
        return;
    if (budget_)
        budget_->take(pending_, size_);
    std::unique_ptr<LineChunk> chunk(new LineChunk);
    // Shrinking in place: malloc gives back the tail of the block.
    auto* text = static_cast<char16_t*>(std::realloc(buffer_, size_t(std::max<qsizetype>(size_, 1)) * sizeof(char16_t)));
    chunk->text_ = text ? text : buffer_;
    buffer_ = nullptr;
    if (!starts_.empty()) {
        chunk->starts_ = static_cast<quint16*>(std::malloc(starts_.size() * sizeof(quint16)));
        if (!chunk->starts_)
            throw std::bad_alloc();
        std::memcpy(chunk->starts_, starts_.data(), starts_.size() * sizeof(quint16));
    }
    chunk->size_ = size_;
    chunk->lineCount_ = pending_;
    chunk->longest_ = longest_;
    chunk->hasBreak_ = hasBreak_;
    const int lines = pending_;
    starts_.clear();
    size_ = capacity_ = 0;
    pending_ = longest_ = 0;
    hasBreak_ = false;
    push({std::shared_ptr<const LineChunk>(chunk.release()), 0, lines});
}

LineText LineTextBuilder::finish()
{
    seal();
    LineText out;
    if (!pieces_.empty()) {
        out.d_ = std::make_shared<LineText::Data>();
        out.d_->pieces = std::move(pieces_);
        LineText::recount(*out.d_, 0);
    }
    pieces_.clear();
    sealed_ = 0;
    out.packShortPieces();
    return out;
}

// ---------------------------------------------------------------- LineText

LineText::LineText(const QStringList& lines)
{
    LineTextBuilder b;
    for (const QString& line : lines)
        b.append(line);
    *this = b.finish();
}

LineText::LineText(std::initializer_list<QString> lines)
{
    LineTextBuilder b;
    for (const QString& line : lines)
        b.append(line);
    *this = b.finish();
}

const std::vector<LineText::Piece>& LineText::pieces() const
{
    static const std::vector<Piece> none;
    return d_ ? d_->pieces : none;
}

QStringView LineText::view(int row) const
{
    const Data& d = *d_;
    const size_t k = size_t(std::upper_bound(d.ends.begin(), d.ends.end(), row) - d.ends.begin());
    const Piece& p = d.pieces[k];
    return p.chunk->line(p.first + row - (k ? d.ends[k - 1] : 0));
}

QStringList LineText::toStringList() const
{
    QStringList out;
    out.reserve(size());
    forEachLine([&out](QStringView line) { out.append(line.toString()); });
    return out;
}

QStringList LineText::borrowLines(const std::vector<int>& rows) const
{
    QStringList out;
    out.reserve(qsizetype(rows.size()));
    for (int row : rows) {
        const QStringView line = view(row);
        out.append(QString::fromRawData(reinterpret_cast<const QChar*>(line.data()), line.size()));
    }
    return out;
}

LineText::const_iterator LineText::begin() const
{
    const_iterator it;
    it.pieces_ = &pieces();
    if (!it.pieces_->empty())
        it.line_ = it.pieces_->front().first;
    return it;
}

LineText::const_iterator LineText::end() const
{
    const_iterator it;
    it.pieces_ = &pieces();
    it.piece_ = it.pieces_->size();
    return it;
}

LineText::Data& LineText::edit()
{
    if (!d_) {
        d_ = std::make_shared<Data>();
    } else if (d_.use_count() > 1) {
        d_ = std::make_shared<Data>(*d_);
    } else {
        // The last other copy may have been let go on another thread: what
        // it read of the pieces happened before this changes them.
        std::atomic_thread_fence(std::memory_order_acquire);
    }
    return *d_;
}

void LineText::recount(Data& d, size_t from)
{
    d.ends.resize(d.pieces.size());
    for (size_t k = from; k < d.pieces.size(); ++k)
        d.ends[k] = (k ? d.ends[k - 1] : 0) + d.pieces[k].count;
}

size_t LineText::cutAt(Data& d, int row)
{
    if (d.pieces.empty() || row >= d.ends.back())
        return d.pieces.size();
    const size_t k = size_t(std::upper_bound(d.ends.begin(), d.ends.end(), row) - d.ends.begin());
    const int begin = k ? d.ends[k - 1] : 0;
    if (row == begin)
        return k;
    Piece& p = d.pieces[k];
    const int head = row - begin;
    Piece tail{p.chunk, p.first + head, p.count - head};
    p.count = head;
    d.pieces.insert(d.pieces.begin() + std::ptrdiff_t(k + 1), std::move(tail));
    d.ends.insert(d.ends.begin() + std::ptrdiff_t(k), row);
    return k + 1;
}

namespace {

// Joins the pieces at k - 1 and k when they are one run of one chunk.
void joinAt(std::vector<LineText::Piece>& pieces, size_t k)
{
    if (k == 0 || k >= pieces.size() || !contiguous(pieces[k - 1], pieces[k]))
        return;
    pieces[k - 1].count += pieces[k].count;
    pieces.erase(pieces.begin() + std::ptrdiff_t(k));
}

}  // namespace

void LineText::insert(int row, const LineText& lines)
{
    if (lines.isEmpty())
        return;
    const LineText added = lines;   // lines may be this very text
    const int at = std::clamp(row, 0, size());
    Data& d = edit();
    const size_t k = cutAt(d, at);
    const std::vector<Piece>& more = added.d_->pieces;
    d.pieces.insert(d.pieces.begin() + std::ptrdiff_t(k), more.begin(), more.end());
    joinAt(d.pieces, k + more.size());
    joinAt(d.pieces, k);
    recount(d, k ? k - 1 : 0);
    packShortPieces();
}

void LineText::remove(int row, int n)
{
    const int total = size();
    if (row < 0) {
        n += row;
        row = 0;
    }
    n = std::min(n, total - row);
    if (n <= 0)
        return;
    if (n == total) {
        d_.reset();
        return;
    }
    Data& d = edit();
    const size_t a = cutAt(d, row);
    const size_t b = cutAt(d, row + n);
    d.pieces.erase(d.pieces.begin() + std::ptrdiff_t(a), d.pieces.begin() + std::ptrdiff_t(b));
    joinAt(d.pieces, a);
    recount(d, a ? a - 1 : 0);
    packShortPieces();
}

LineText LineText::mid(int from, int n) const
{
    const int total = size();
    from = std::clamp(from, 0, total);
    if (n < 0 || n > total - from)
        n = total - from;
    if (n == total)
        return *this;
    LineText out;
    if (n == 0)
        return out;
    const Data& d = *d_;
    size_t k = size_t(std::upper_bound(d.ends.begin(), d.ends.end(), from) - d.ends.begin());
    out.d_ = std::make_shared<Data>();
    int skip = from - (k ? d.ends[k - 1] : 0);
    for (int left = n; left > 0; ++k) {
        const Piece& p = d.pieces[k];
        const int take = std::min(p.count - skip, left);
        out.d_->pieces.push_back({p.chunk, p.first + skip, take});
        left -= take;
        skip = 0;
    }
    recount(*out.d_, 0);
    return out;
}

void LineText::packShortPieces()
{
    if (!d_ || !tooManyPieces(d_->pieces.size(), size(), [this] { return textSize(); }))
        return;
    // Runs of short pieces go into new chunks; long pieces stay shared.
    // Afterwards no two short pieces are neighbours, so the list is at most
    // twice as long as there are long pieces.
    LineTextBuilder b;
    for (const Piece& p : d_->pieces) {
        if (!isShort(p)) {
            b.seal();
            b.push(p);
            continue;
        }
        for (int i = p.first; i < p.first + p.count; ++i)
            b.append(p.chunk->line(i));
    }
    *this = b.finish();
}

LineStats LineText::stats() const
{
    LineStats s;
    const LineChunk* last = nullptr;
    for (const Piece& p : pieces()) {
        if (p.chunk.get() == last)
            continue;
        last = p.chunk.get();
        s.longestLine = std::max(s.longestLine, last->longestLine());
        s.hasBreak |= last->hasBreak();
    }
    return s;
}

qint64 LineText::textSize() const
{
    qint64 units = 0;
    for (const Piece& p : pieces())
        units += pieceUnits(p);
    return units;
}

qint64 LineText::pieceListBytes() const
{
    if (!d_)
        return 0;
    return qint64(sizeof(Data)) + 32 + qint64(d_->pieces.capacity() * sizeof(Piece)) +
           qint64(d_->ends.capacity() * sizeof(int));
}

qint64 LineText::memoryBytes() const
{
    std::vector<const LineChunk*> chunks;
    chunks.reserve(pieces().size());
    for (const Piece& p : pieces())
        chunks.push_back(p.chunk.get());
    std::sort(chunks.begin(), chunks.end());
    chunks.erase(std::unique(chunks.begin(), chunks.end()), chunks.end());
    qint64 bytes = pieceListBytes();
    for (const LineChunk* c : chunks)
        bytes += c->memoryBytes();
    return bytes;
}

bool LineText::operator==(const LineText& o) const
{
    if (d_ == o.d_)
        return true;
    if (size() != o.size())
        return false;
    return std::equal(begin(), end(), o.begin());
}

bool operator==(const LineText& a, const QStringList& b)
{
    if (a.size() != b.size())
        return false;
    qsizetype i = 0;
    for (QStringView line : a)
        if (line != b[i++])
            return false;
    return true;
}

void PrintTo(const LineText& lines, std::ostream* os)
{
    *os << lines.size() << " lines {";
    int shown = 0;
    for (QStringView line : lines) {
        if (shown)
            *os << ", ";
        if (++shown > 40) {
            *os << "...";
            break;
        }
        *os << '"' << line.toString().toStdString() << '"';
    }
    *os << '}';
}

}  // namespace petari
