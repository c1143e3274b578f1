#pragma once

#include <QByteArray>
#include <QStringList>

// Runs the companion executable as a player's script would and keeps what it said.
struct CliResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CliResult runCli(const QStringList &arguments);
