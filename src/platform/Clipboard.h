#pragma once
// The system clipboard, behind an interface so tests use one in memory.

#include <QString>

namespace petari {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};

// QClipboard's CLIPBOARD selection (not the X11 primary selection).
class SystemClipboard : public Clipboard {
public:
    void clear() override;
    QString text() const override;
    void setText(const QString& text) override;
};

class MemoryClipboard : public Clipboard {
public:
    void clear() override { text_.clear(); ++clears_; }
    QString text() const override { return text_; }
    void setText(const QString& text) override { text_ = text; ++sets_; }
    int clears() const { return clears_; }
    int sets() const { return sets_; }

private:
    QString text_;
    int clears_ = 0;
    int sets_ = 0;
};

}  // namespace petari
