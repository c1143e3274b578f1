#include "clirunner.h"

#include <QProcess>

#include <sys/resource.h>

CliResult runCli(const QStringList &arguments, std::optional<qint64> maxFileSize)
{
    QProcess process;
    if (maxFileSize) {
        process.setChildProcessModifier([limit = rlim_t(*maxFileSize)] {
            const rlimit fsize{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &fsize);
        });
    }
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
