#pragma once
// The lines that hold every word of a query, found while the user types in a
// million of them.
//
// A line is compared as foldForSearch folds it.  Folding a line costs far
// more than looking for a word in it, so the lines are folded once, a chunk
// of the line store at a time, and the folded copy is kept for that chunk:
// chunks never change and the versions an edit makes share every chunk it
// did not touch, so after an edit only the chunks it made are folded again.
// Each run of lines is then searched as one text on every core at once.

#include "copy/SearchFolding.h"
#include "document/LineText.h"

#include <QFuture>
#include <QString>
#include <QStringList>

#include <memory>
#include <unordered_map>
#include <vector>

namespace petari {

class LineSearch {
public:
    LineSearch();
    ~LineSearch();
    LineSearch(const LineSearch&) = delete;
    LineSearch& operator=(const LineSearch&) = delete;

    // The rows of lines, in order, whose folded text holds every word.
    // words are folded already, as searchWords(query, folding) gives them;
    // no words at all keeps every row.
    std::vector<int> matchingRows(const LineText& lines, const QStringList& words, const SearchFolding& folding);

    // Starts folding the chunks of lines that are not folded yet, on the
    // other cores, and returns at once: the filter box does this when it
    // opens, so that the first key typed finds most of the folding done.
    void prepare(const LineText& lines, const SearchFolding& folding);

    // Lets go of the folded copies of the chunks lines does not use: the
    // copies of a document that was replaced or edited away.
    void keepOnly(const LineText& lines);

    // How many chunks have been folded: an edit must fold only the chunks it
    // made, another query none at all.
    int chunksFolded() const { return chunksFolded_; }
    // How many folded chunks are kept.
    int chunksKept() const { return int(folded_.size()); }

private:
    struct FoldedChunk;
    struct Fold;
    void useFolding(const SearchFolding& folding);
    // Entries for the chunks of lines not folded yet, to be folded.
    std::vector<Fold> newChunks(const LineText& lines, int& lineCount);
    // Waits for the folding prepare started.
    void finishFolding();
    // The folded copy of every piece of lines, folding the chunks not kept yet.
    std::vector<std::shared_ptr<const FoldedChunk>> foldedPieces(const LineText& lines);

    std::unordered_map<const LineChunk*, std::shared_ptr<FoldedChunk>> folded_;
    SearchFolding folding_;
    int chunksFolded_ = 0;
    std::vector<Fold> background_;   // what prepare folds, until finishFolding
    QFuture<void> running_;
};

}  // namespace petari
