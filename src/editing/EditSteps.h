#pragma once
// The words of the document's edit steps: the outcome of the unsaved-change
// question, and what a commit records.

namespace petari {

enum class DiscardAnswer {
    NothingToDiscard,   // unchanged: go on
    SavedFirst,         // saved, go on
    Discarded,          // thrown away (a backup was taken), go on
    KeepDocument,       // cancelled, or the save did not happen: stop
};

// Lines as their file holds them, or lines changed since.
enum class Commit { Unmodified, Modified };
// Whether the lines committed are still a hexadecimal view.
enum class HexView { Drop, Keep };
// A step back or forward along the undo chain.
enum class UndoStep { Undo, Redo };

}  // namespace petari
