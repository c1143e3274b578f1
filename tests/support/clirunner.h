#pragma once

#include <QByteArray>
#include <QStringList>

#include <map>

#include <optional>

// Runs the companion executable as a player's script would and keeps what it said.
struct CliResult
{
    int exitCode = -1; // -1: it did not exit by itself
    QByteArray out;
    QByteArray err;
};

// The companion built beside the tests.
QString cliPath();

// maxFileSize: the largest file it may write (RLIMIT_FSIZE), as a full disk would stop it.
// output: where its standard output goes instead of to the test: a file ("/dev/full"), or
// "closed", a pipe nobody reads any more.
// maxMemory: the memory it may take, in bytes: its address space (RLIMIT_AS), or under
// AddressSanitizer, whose shadow needs the whole address space, its resident memory beyond
// AddressSanitizer's own.
CliResult runCli(const QStringList &arguments, std::optional<qint64> maxFileSize = std::nullopt,
                 const QString &output = {}, std::optional<qint64> maxMemory = std::nullopt);

// The numbers 1 to n as a command line writes them: "1,2,3".
QString sequence(int n);

// A command line with its placeholders ("FILE", "DIR"...) put in one pass: a path put in is
// never searched again, as a temporary folder's random name may hold "DIR" itself.
QStringList withPaths(const QString &args, const std::map<QString, QString> &paths);
