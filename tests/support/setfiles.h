#pragma once

#include "storage/schedina.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <string>

// Small helpers for tests that look at set files byte by byte.
QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);

// The 126 bytes of the ticket "Prova": 12 and 34 on BARI, Ambo at a stake of 5.
QByteArray provaRecord();
// A record with the given 20-byte title and the given raw bytes after it zeroed.
QByteArray recordWithTitle(const QByteArray &title20);

// The 126 bytes of a ticket: its numbers from box 0, its wheels (10 for TUTTE), and for each
// bet type played its stake in ten-thousandths of a point.
QByteArray ticketRecord(const char *title, const QList<int> &numbers, const QList<int> &wheels,
                        const QMap<int, qint64> &stakes);
// The same ticket as a record in memory, and the bytes of any record.
Schedina makeTicket(const char *title, const QList<int> &numbers, const QList<int> &wheels,
                    const QMap<int, qint64> &stakes);
QByteArray bytesOf(const Schedina &s);

inline std::string toStd(const QString &s)
{
    return s.toStdString();
}
