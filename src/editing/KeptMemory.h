#pragma once
// What the states the undo chain keeps in memory take besides the document:
// every chunk they hold that the shown state does not hold (the shown state
// shares its chunks with the document), and their lists of pieces.  Kept up
// to date as states come and go, so that asking costs nothing; each change
// reads the pieces of one state.

#include "document/LineText.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace petari {

class KeptMemory {
public:
    void add(const LineText& state);
    void remove(const LineText& state);
    // The state the document shows; none after clearShown.
    void show(const LineText& state);
    void clearShown();
    qint64 bytes() const { return chunkBytes_ + pieceBytes_ - shownPieceBytes_; }

private:
    struct Held {
        int states = 0;
        qint64 bytes = 0;
    };
    std::unordered_map<const LineChunk*, Held> held_;
    std::unordered_set<const LineChunk*> shown_;
    qint64 chunkBytes_ = 0;   // of the held chunks the shown state does not hold
    qint64 pieceBytes_ = 0;   // of every state's list of pieces
    qint64 shownPieceBytes_ = 0;
};

}  // namespace petari
