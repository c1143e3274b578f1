#include "setfiles.h"

#include "storage/schedina.h"

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

Schedina makeTicket(const char *title, const QList<int> &numbers, const QList<int> &wheels,
                    const QMap<int, qint64> &stakes)
{
    Schedina s;
    s.impostaTitolo(title);
    for (int i = 0; i < numbers.size(); ++i)
        s.numeri[i] = std::int16_t(numbers[i]);
    for (int w : wheels)
        s.ruote[w] = 1;
    for (auto it = stakes.begin(); it != stakes.end(); ++it) {
        s.giocate[it.key()] = 1;
        s.puntate[it.key()] = Currency::fromRaw(it.value());
    }
    return s;
}

QByteArray bytesOf(const Schedina &s)
{
    const auto bytes = s.codifica();
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), 126);
}

QByteArray ticketRecord(const char *title, const QList<int> &numbers, const QList<int> &wheels,
                        const QMap<int, qint64> &stakes)
{
    return bytesOf(makeTicket(title, numbers, wheels, stakes));
}
