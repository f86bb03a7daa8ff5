#include "platform/ExternalProgram.h"

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>

#include <memory>

namespace petari {

bool startWatched(const QString& program, const QStringList& arguments, QObject* context,
                  std::function<void(const QString& errorText)> failed)
{
    // No parent: a process object that is deleted kills its program, and the
    // editor must outlive this program.  It deletes itself when its program ends.
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    auto errorText = std::make_shared<QByteArray>();
    auto started = std::make_shared<QElapsedTimer>();
    QObject::connect(process, &QProcess::readyReadStandardError, process, [process, errorText] {
        // Only the end is worth telling; a program that talks on keeps no more.
        *errorText += process->readAllStandardError();
        if (errorText->size() > 4096)
            *errorText = errorText->right(2048);
    });
    QObject::connect(process, &QProcess::finished, context,
                     [process, errorText, started, failed](int code, QProcess::ExitStatus status) {
                         *errorText += process->readAllStandardError();
                         process->deleteLater();
                         if ((status != QProcess::NormalExit || code != 0) &&
                             started->elapsed() < kWatchMilliseconds)
                             failed(QString::fromLocal8Bit(errorText->right(2048)).trimmed());
                     });
    // Without the context the process still goes when it ends.
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    started->start();
    process->start();
    if (!process->waitForStarted(10000)) {
        delete process;
        return false;
    }
    return true;
}

}  // namespace petari
