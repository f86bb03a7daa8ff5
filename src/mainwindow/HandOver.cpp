#include "mainwindow/HandOver.h"

#include "document/FileName.h"
#include "mainwindow/MainController.h"
#include "platform/Failure.h"
#include "services/Guard.h"

namespace petari {

void openHandedOver(MainController& controller, const QStringList& files)
{
    if (files.size() == 1) {
        controller.openDocument(files.front());
        return;
    }
    // A burst of starts naming missing files gets one report, not one each.
    QStringList missing;
    for (const QString& file : files) {
        if (fileExists(file))
            controller.openDocument(file);
        else
            missing << file;
    }
    if (missing.size() == 1)
        controller.openDocument(missing.front());
    else if (!missing.isEmpty())
        guarded(QStringLiteral("F1 fload"), [&] {
            throw Failure(err::FileNotFound, describeError(err::FileNotFound) + QStringLiteral("　") +
                                                 missing.join(QStringLiteral("\r\n")));
        });
}

}  // namespace petari
