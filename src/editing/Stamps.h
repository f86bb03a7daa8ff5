#pragma once
// The date and time stamps: one fixed set of 35 lines showing a moment in
// Japanese and English notations, which replaces the document.

#include "editing/EditSteps.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>

namespace petari {

// The 35 lines for the moment, in order.  Throws Failure(err::Overflow) for a
// year that does not fit 16 bits.
QStringList timeStampLines(const QDate& date, const QTime& time);
QStringList timeStampLines(const QDateTime& moment);

// Empties list and fills it with the stamp lines of the moment.  A failure is
// reported under "F1 timeStanp"; the lines appended until then stay.
void fillStampLines(QStringList& list, const QDateTime& moment);

// What the stamp command needs of the main window.
class StampHost {
public:
    virtual ~StampHost() = default;
    // The unsaved-change question.
    virtual DiscardAnswer confirmDiscard() = 0;
    virtual QStringList lines() const = 0;
    virtual void setLines(const QStringList& lines) = 0;
    virtual void commitEdit(const QString& fileName, Commit change, const QString& operation,
                            HexView view) = 0;
};

// The menu command "日付と時刻": after the unsaved-change question, the
// document becomes the stamp lines of now, untitled, unmodified, with a new
// undo history ("日付時刻").  Also commits after a failed fillStampLines, so that
// what was built is kept as the new document.
void stampDocument(StampHost& host, const QDateTime& now);

// The commit's operation name.
QString stampOperationName();

}  // namespace petari
