#include "dialogs/DesktopOpener.h"

#include "dialogs/Prompter.h"

#include <QProcess>

namespace quorvel {

namespace {

constexpr int kStartMilliseconds = 5000;

}  // namespace

int OpenerExitResult(int exitStatus)
{
    switch (exitStatus) {
    case 0:
        return kOpenSucceeded;
    case 2:
        return kOpenFileNotFound;
    case 3:
        return kOpenNoAssociation;
    default:
        return exitStatus;
    }
}

int RunDesktopOpener(const QString& target, int waitMilliseconds)
{
    auto* process = new QProcess;
    process->setProgram(QStringLiteral("xdg-open"));
    process->setArguments({target});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(kStartMilliseconds)) {
        delete process;
        return kOpenNoAssociation;
    }
    if (process->waitForFinished(waitMilliseconds)) {
        const int result = process->exitStatus() == QProcess::NormalExit
                               ? OpenerExitResult(process->exitCode())
                               : process->exitCode();
        delete process;
        return result;
    }
    // The handler runs on; the process object goes when it ends.
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return kOpenSucceeded;
}

}  // namespace quorvel
