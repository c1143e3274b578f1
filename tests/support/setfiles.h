#pragma once

#include <QByteArray>
#include <QString>

#include <string>

// Small helpers for tests that look at set files byte by byte.
QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);

// The 126 bytes of the ticket "Prova": 12 and 34 on BARI, Ambo at a stake of 5.
QByteArray provaRecord();
// A record with the given 20-byte title and the given raw bytes after it zeroed.
QByteArray recordWithTitle(const QByteArray &title20);

inline std::string toStd(const QString &s)
{
    return s.toStdString();
}
