#pragma once
#include "document/TextFile.h"

#include <QString>

namespace petari {

// Load modes of the document loader.
enum LoadMode : int { LoadText = 0, LoadHex = 1, LoadRestore = 2 };

struct DocumentState {
    QString fileName;            // "" while untitled
    int modified = 0;            // 0 unchanged, 1 changed, 2 about to be replaced by the table builder
    bool overwrite = false;      // the next save writes to fileName without a dialog
    bool hexView = false;        // the list shows a hexadecimal view
    QString hexSource;           // the file that view shows, named in its saved header
    int loadMode = LoadText;
    bool mac = false;            // the save in progress writes classic Mac line ends
    // How the file was stored, so a save keeps it; and whether it held bytes
    // that are not text (saving over it then asks first).
    TextEncoding encoding = TextEncoding::Cp932;
    bool hadInvalidBytes = false;
};

}  // namespace petari
