#include "clirunner.h"

#include <QProcess>

#include <sys/resource.h>
#include <unistd.h>

CliResult runCli(const QStringList &arguments, std::optional<qint64> maxFileSize,
                 const QString &output)
{
    QProcess process;
    if (!output.isEmpty() && output != "closed")
        process.setStandardOutputFile(output);
    process.setChildProcessModifier(
        [limit = rlim_t(maxFileSize.value_or(-1)), closed = output == "closed"] {
            const rlimit fsize{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &fsize);
            int ends[2];
            if (closed && ::pipe(ends) == 0) {
                ::close(ends[0]);
                ::dup2(ends[1], 1);
            }
        });
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
