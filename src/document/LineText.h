#pragma once
// The lines of a list as one version of them.
//
// Lines live packed one after another in chunks: immutable UTF-16 buffers of
// up to 128 KB with the start of every line, two bytes a line.  A version is
// a short list of pieces, each a run of consecutive lines of one chunk, so
// that copying a version copies only that list (and not even that until one
// of the copies changes), and the versions the undo chain keeps share every
// chunk an edit did not touch.  An edit makes a small chunk for the lines it
// adds and cuts pieces; when cutting has made the list of pieces long, the
// short pieces are packed into new chunks again.
//
// A version never hands out a QString it holds: a line is read as a view
// into its chunk (valid while a version or a copy of it lives) or copied out
// as a QString of its own.  Long walks (saving, snapshots, the table of
// contents, sorting) go through forEachLine or the iterators, which read
// the chunks in order.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <atomic>
#include <exception>
#include <initializer_list>
#include <iosfwd>
#include <iterator>
#include <memory>
#include <vector>

namespace petari {

// What the lines of a version may hold, as far as the add-line step cares:
// known from the chunks without reading the lines.  A version cut from
// larger chunks may get figures of lines it no longer holds: a longest line
// that is too long, a break that is gone.  Never the other way round.
struct LineStats {
    int longestLine = 0;     // in UTF-16 units
    bool hasBreak = false;   // a CR or LF inside a line
};

class LineChunk {
public:
    // At most this many UTF-16 units, unless one line alone is longer: a
    // line's start then fits in 16 bits, and a chunk stays below the size
    // from which malloc maps every block on its own.
    static constexpr qsizetype kCapacity = 65472;
    static constexpr int kMaxLines = 16384;

    LineChunk(const LineChunk&) = delete;
    LineChunk& operator=(const LineChunk&) = delete;
    ~LineChunk();

    int lineCount() const { return lineCount_; }
    qsizetype textSize() const { return size_; }
    const char16_t* text() const { return text_; }
    qsizetype start(int i) const { return i == 0 ? 0 : starts_[i - 1]; }
    qsizetype end(int i) const { return i + 1 < lineCount_ ? starts_[i] : size_; }
    QStringView line(int i) const
    {
        const qsizetype b = start(i);
        return QStringView(text_ + b, end(i) - b);
    }
    bool isEmpty(int i) const { return end(i) == start(i); }
    // Whether any of the lines from, ..., to - 1 is empty: one pass over the
    // starts, without a branch a line.
    bool hasEmptyLine(int from, int to) const;
    int longestLine() const { return longest_; }
    bool hasBreak() const { return hasBreak_; }
    // What the chunk takes of the heap, its own bookkeeping included.
    qint64 memoryBytes() const;

private:
    friend class LineTextBuilder;
    LineChunk() = default;

    char16_t* text_ = nullptr;
    quint16* starts_ = nullptr;   // lineCount_ - 1 entries: the first line starts at 0
    qsizetype size_ = 0;
    int lineCount_ = 0;
    int longest_ = 0;
    bool hasBreak_ = false;
};

class LineText {
public:
    struct Piece {
        std::shared_ptr<const LineChunk> chunk;
        int first = 0;
        int count = 0;
    };

    LineText() = default;
    // A list converts, as a string literal converts to a QString: the lines
    // are copied into chunks once.
    LineText(const QStringList& lines);   // NOLINT(google-explicit-constructor)
    LineText(std::initializer_list<QString> lines);

    int size() const { return d_ ? d_->ends.back() : 0; }
    int count() const { return size(); }
    bool isEmpty() const { return size() == 0; }

    // The line at row (0 <= row < size()), without copying; valid while
    // this version or a copy of it lives.
    QStringView view(int row) const;
    QString at(int row) const { return view(row).toString(); }
    QString operator[](int row) const { return at(row); }
    QStringList toStringList() const;
    // The lines at rows as strings that point into their chunks instead of
    // copying them: valid only while this version or a copy of it lives
    // (a change of such a string copies it first, as for any string).  For
    // text built from many lines at once, such as a copy to the clipboard.
    QStringList borrowLines(const std::vector<int>& rows) const;

    LineText mid(int from, int n = -1) const;
    void insert(int row, const LineText& lines);
    void append(const LineText& lines) { insert(size(), lines); }
    void remove(int row, int n = 1);
    void clear() { d_.reset(); }

    LineStats stats() const;
    qint64 textSize() const;   // UTF-16 units of all lines
    // The chunks and the list of pieces, as the heap holds them; a chunk
    // used by several pieces counts once.
    qint64 memoryBytes() const;
    // The list of pieces alone.
    qint64 pieceListBytes() const;
    const std::vector<Piece>& pieces() const;

    template <class F>
    void forEachLine(F&& f) const
    {
        for (const Piece& p : pieces())
            for (int i = p.first, end = p.first + p.count; i < end; ++i)
                f(p.chunk->line(i));
    }

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = QStringView;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = QStringView;

        QStringView operator*() const { return (*pieces_)[piece_].chunk->line(line_); }
        const_iterator& operator++()
        {
            const Piece& p = (*pieces_)[piece_];
            if (++line_ == p.first + p.count) {
                ++piece_;
                line_ = piece_ < pieces_->size() ? (*pieces_)[piece_].first : 0;
            }
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator& o) const { return piece_ == o.piece_ && line_ == o.line_; }
        bool operator!=(const const_iterator& o) const { return !(*this == o); }

    private:
        friend class LineText;
        const std::vector<Piece>* pieces_ = nullptr;
        size_t piece_ = 0;
        int line_ = 0;
    };
    const_iterator begin() const;
    const_iterator end() const;

    bool operator==(const LineText& o) const;
    bool operator!=(const LineText& o) const { return !(*this == o); }
    friend bool operator==(const LineText& a, const QStringList& b);
    friend bool operator==(const QStringList& a, const LineText& b) { return b == a; }
    friend bool operator!=(const LineText& a, const QStringList& b) { return !(a == b); }
    friend bool operator!=(const QStringList& a, const LineText& b) { return !(b == a); }

private:
    friend class LineTextBuilder;
    struct Data {
        std::vector<Piece> pieces;
        std::vector<int> ends;   // lines up to the end of each piece
    };
    Data& edit();
    // The index of the piece that starts at row, cutting a piece there.
    size_t cutAt(Data& d, int row);
    static void recount(Data& d, size_t from);
    void packShortPieces();

    // Shared between copies, and changed only when this copy holds it alone.
    std::shared_ptr<Data> d_;   // null: no lines
};

// Thrown by a builder whose budget ran out (see LineBudget).
class DocumentTooLarge : public std::exception {
public:
    explicit DocumentTooLarge(bool tooManyLines) : tooManyLines_(tooManyLines) {}
    // The lines ran out (otherwise the characters did).
    bool tooManyLines() const { return tooManyLines_; }
    const char* what() const noexcept override;

private:
    bool tooManyLines_;
};

// The lines and UTF-16 units a document may still take, shared by the
// builders that fill one document at once, on several threads.  A builder
// given a budget takes from it as it seals each chunk and as it takes in
// lines of other chunks, and throws DocumentTooLarge once more was taken
// than there was; so the builders stop within a chunk of the limit, and
// when the last line is in, the figures are exact.
class LineBudget {
public:
    LineBudget(qint64 lines, qint64 units) : lines_(lines), units_(units) {}
    LineBudget(const LineBudget&) = delete;
    LineBudget& operator=(const LineBudget&) = delete;

    // Throws when there is less left than that, or some builder has
    // already taken more than there was.
    void take(qint64 lines, qint64 units);

private:
    std::atomic<qint64> lines_;
    std::atomic<qint64> units_;
};

// Writes lines straight into chunks: a decoder asks for room for a line,
// writes it there and says how long it came out.
class LineTextBuilder {
public:
    LineTextBuilder() = default;
    ~LineTextBuilder();
    LineTextBuilder(const LineTextBuilder&) = delete;
    LineTextBuilder& operator=(const LineTextBuilder&) = delete;

    // Room for a line of at most maxUnits units; endLine(units) adds the
    // line written there.  A decoder that knows the line holds no CR or LF
    // says so, and the line is not looked at again.
    char16_t* beginLine(qsizetype maxUnits);
    void endLine(qsizetype units, bool mayHoldBreak = true);
    void append(QStringView line);
    // Lines already in chunks are taken as they are, sharing their chunks.
    void append(const LineText& lines);
    int lineCount() const { return sealed_ + pending_; }
    // Lines from here on are taken from budget (which outlives the builder's
    // use); a builder has none unless given one.
    void setBudget(LineBudget* budget) { budget_ = budget; }
    LineText finish();

private:
    friend class LineText;
    void seal();
    void push(LineText::Piece piece);

    std::vector<LineText::Piece> pieces_;
    int sealed_ = 0;    // lines in pieces_
    char16_t* buffer_ = nullptr;
    qsizetype size_ = 0;
    qsizetype capacity_ = 0;
    std::vector<quint16> starts_;
    int pending_ = 0;   // lines in buffer_
    int longest_ = 0;
    bool hasBreak_ = false;
    LineBudget* budget_ = nullptr;
};

// How test failures show a version: its lines, as a list.
void PrintTo(const LineText& lines, std::ostream* os);

}  // namespace petari
