#include "setfiles.h"

#include <QFile>

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QByteArray recordWithTitle(const QByteArray &title20)
{
    QByteArray record(126, '\0');
    record.replace(0, 20, title20.left(20).leftJustified(20, ' '));
    return record;
}

QByteArray provaRecord()
{
    QByteArray record = recordWithTitle("Prova");
    record[20] = 0x01;
    record[44] = 0x0C;
    record[46] = 0x22;
    record[68] = 0x01;
    record[86] = 0x50;
    record[87] = static_cast<char>(0xC3);
    return record;
}
