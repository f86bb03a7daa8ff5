#include "editing/KeptMemory.h"

#include <algorithm>

namespace petari {

namespace {

// Each chunk of a state once.
std::vector<const LineChunk*> chunksOf(const LineText& state)
{
    std::vector<const LineChunk*> chunks;
    chunks.reserve(state.pieces().size());
    for (const LineText::Piece& p : state.pieces())
        chunks.push_back(p.chunk.get());
    std::sort(chunks.begin(), chunks.end());
    chunks.erase(std::unique(chunks.begin(), chunks.end()), chunks.end());
    return chunks;
}

}  // namespace

void KeptMemory::add(const LineText& state)
{
    for (const LineChunk* c : chunksOf(state)) {
        Held& h = held_[c];
        if (h.states++ == 0) {
            h.bytes = c->memoryBytes();
            if (!shown_.count(c))
                chunkBytes_ += h.bytes;
        }
    }
    pieceBytes_ += state.pieceListBytes();
}

void KeptMemory::remove(const LineText& state)
{
    for (const LineChunk* c : chunksOf(state)) {
        const auto it = held_.find(c);
        if (it == held_.end() || --it->second.states > 0)
            continue;
        if (!shown_.count(c))
            chunkBytes_ -= it->second.bytes;
        held_.erase(it);
    }
    pieceBytes_ -= state.pieceListBytes();
}

void KeptMemory::show(const LineText& state)
{
    const std::vector<const LineChunk*> chunks = chunksOf(state);
    std::unordered_set<const LineChunk*> now(chunks.begin(), chunks.end());
    for (const LineChunk* c : shown_) {
        const auto it = held_.find(c);
        if (!now.count(c) && it != held_.end())
            chunkBytes_ += it->second.bytes;
    }
    for (const LineChunk* c : chunks) {
        const auto it = held_.find(c);
        if (!shown_.count(c) && it != held_.end())
            chunkBytes_ -= it->second.bytes;
    }
    shown_ = std::move(now);
    shownPieceBytes_ = state.pieceListBytes();
}

void KeptMemory::clearShown()
{
    for (const LineChunk* c : shown_) {
        const auto it = held_.find(c);
        if (it != held_.end())
            chunkBytes_ += it->second.bytes;
    }
    shown_.clear();
    shownPieceBytes_ = 0;
}

}  // namespace petari
