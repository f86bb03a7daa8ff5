#pragma once
// The empty line page of the generator window ("空行の追加"): a number of
// empty lines before every line, or one before every n-th line, with an
// example of the result beside the choice.

#include "generators/LineEdits.h"
#include "generators/ui/GeneratorPage.h"

class QButtonGroup;
class QLabel;
class QLineEdit;

namespace petari {

class Document;
class UserPrompt;

class EmptyLinePage : public GeneratorPage {
    Q_OBJECT
public:
    EmptyLinePage(Document& doc, UserPrompt& prompt, int index, QWidget* parent);

    void load(PageSettings& settings) override;
    void store(PageSettings& settings) const override;

    // "実行".
    void insertEmptyLines();

private:
    EmptyLineMode mode() const;
    // The example for the mode and count; throws for a count past 0–255.
    void preview();

    Document& doc_;
    UserPrompt& prompt_;
    QButtonGroup* modeButtons_ = nullptr;
    QLineEdit* countBox_ = nullptr;         // "行数の指定"
    QLabel* previewLines_ = nullptr;        // the sample lines and the empty ones
    QLabel* previewMarkers_ = nullptr;      // "←空白" beside the empty ones
};

}  // namespace petari
