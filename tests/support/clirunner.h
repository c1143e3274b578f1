#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>

// Runs the companion executable as a player's script would and keeps what it said.
struct CliResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// maxFileSize: the largest file it may write (RLIMIT_FSIZE), as a full disk would stop it.
// output: where its standard output goes instead of to the test: a file ("/dev/full"), or
// "closed", a pipe nobody reads any more.
CliResult runCli(const QStringList &arguments, std::optional<qint64> maxFileSize = std::nullopt,
                 const QString &output = {});
