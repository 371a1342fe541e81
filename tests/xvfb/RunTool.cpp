// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunTool.h"

#include <QProcess>

constexpr int kToolWaitMs = 10000;

std::optional<QByteArray> RunTool(const QString& tool, const QStringList& arguments, QString& problem,
                                  const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(tool, arguments);
    if (!process.waitForFinished(kToolWaitMs) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        const QString why = process.error() == QProcess::FailedToStart
                                ? QStringLiteral("cannot run it (see scripts/setup.sh)")
                                : QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        problem = QStringLiteral("%1 %2: %3").arg(tool, arguments.join(QLatin1Char(' ')), why);
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}
