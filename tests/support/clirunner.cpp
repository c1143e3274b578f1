#include "clirunner.h"

#include <QProcess>
#include <QRegularExpression>

#include <sys/resource.h>
#include <unistd.h>

CliResult runCli(const QStringList &arguments, std::optional<qint64> maxFileSize,
                 const QString &output, std::optional<qint64> maxMemory)
{
    QProcess process;
    if (!output.isEmpty() && output != "closed")
        process.setStandardOutputFile(output);
    rlim_t memory = RLIM_INFINITY;
#if defined(__SANITIZE_ADDRESS__)
    if (maxMemory) {
        // AddressSanitizer's own pages come first: the companion's help alone is 58 MB resident.
        constexpr qint64 kPropriaMb = 64;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(
            "ASAN_OPTIONS",
            environment.value("ASAN_OPTIONS") + ":quarantine_size_mb=4" +
                QString(":hard_rss_limit_mb=%1").arg(kPropriaMb + (*maxMemory >> 20)));
        process.setProcessEnvironment(environment);
    }
#else
    memory = rlim_t(maxMemory.value_or(-1));
#endif
    process.setChildProcessModifier(
        [limit = rlim_t(maxFileSize.value_or(-1)), closed = output == "closed", memory] {
            const rlimit fsize{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &fsize);
            const rlimit space{memory, memory};
            ::setrlimit(RLIMIT_AS, &space);
            int ends[2];
            if (closed && ::pipe(ends) == 0) {
                ::close(ends[0]);
                ::dup2(ends[1], 1);
            }
        });
    process.start(cliPath(), arguments);
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

QStringList withPaths(const QString &args, const std::map<QString, QString> &paths)
{
    QStringList names;
    for (const auto &[name, path] : paths)
        names << name;
    QString line;
    qsizetype done = 0;
    for (const auto &match : QRegularExpression(names.join('|')).globalMatch(args)) {
        line += args.mid(done, match.capturedStart() - done) + paths.at(match.captured());
        done = match.capturedEnd();
    }
    return (line + args.mid(done)).split('|');
}

QString cliPath()
{
    return QStringLiteral(ZAFFIRONE_CLI_PATH);
}

QString sequence(int n)
{
    QStringList numbers;
    for (int i = 1; i <= n; ++i)
        numbers << QString::number(i);
    return numbers.join(',');
}
