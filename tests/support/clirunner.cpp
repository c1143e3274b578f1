#include "clirunner.h"

#include <QProcess>

CliResult runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(ZAFFIRONE_CLI_PATH), arguments);
    CliResult result;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}
