#include "storage/insiemeschede.h"
#include "support/childprocess.h"
#include "support/setfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

// The set file: where records are read and written, and what a player's file survives.
class tst_InsiemeSchede : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void appendAfterWholeRecords_data();
    void appendAfterWholeRecords();
    void findByTitle_data();
    void findByTitle();
    void findByListEntry_data();
    void findByListEntry();
    void readRecord_data();
    void readRecord();
    void scansCrossBlockBoundaries();
    void overwriteKeepsOtherRecords();
    void missingFile_data();
    void missingFile();
    void notAPlainFile_data();
    void notAPlainFile();
    void failedWriteLeavesFileAsItWas_data();
    void failedWriteLeavesFileAsItWas();
    void unprivilegedPlayerIsToldWhy();

private:
    QString path(const QString &name = QStringLiteral("set.slott")) const
    {
        return m_dir->filePath(name);
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

QByteArray record(const char *title)
{
    return recordWithTitle(QByteArray(title));
}

Schedina ticket(const char *title)
{
    Schedina s;
    s.impostaTitolo(title);
    s.numeri[0] = 7;
    s.ruote[10] = 1;
    s.giocate[0] = 1;
    s.puntate[0] = *Currency::fromWhole(1);
    return s;
}

template <typename T>
std::optional<ErroreFile> failureOf(const Esito<T> &esito)
{
    return esito.ok() ? std::nullopt : std::optional(esito.errore());
}

QByteArray encoded(const Schedina &s)
{
    const auto bytes = s.codifica();
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), 126);
}

// Five records, with a repeated title and one with blanks and an accent.
QByteArray fiveTitles()
{
    return record("Prova") + record("  Ambo  ") + record("prova") + record("Prova") +
           record("Perch\xE9");
}

} // namespace

void tst_InsiemeSchede::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_InsiemeSchede::appendAfterWholeRecords_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<quint64>("count");
    QTest::addColumn<quint64>("appendedAs");
    QTest::newRow("empty set") << QByteArray() << quint64(0) << quint64(1);
    QTest::newRow("one record") << record("Prova") << quint64(1) << quint64(2);
    QTest::newRow("130 bytes: the tail is replaced")
        << record("Prova") + QByteArray("Coda") << quint64(1) << quint64(2);
    QTest::newRow("200 bytes: written after a gap")
        << record("Prova") + record("Coda").left(74) << quint64(1) << quint64(3);
    QTest::newRow("half a record: rounded to even")
        << record("Coda").left(63) << quint64(0) << quint64(2);
    QTest::newRow("one and a half records: rounded to even")
        << record("Prova") + record("Coda").left(63) << quint64(1) << quint64(2);
}

void tst_InsiemeSchede::appendAfterWholeRecords()
{
    QFETCH(QByteArray, before);
    QFETCH(quint64, count);
    QFETCH(quint64, appendedAs);
    writeBytes(path(), before);
    const InsiemeSchede set(toStd(path()));
    QCOMPARE(set.conta().valore(), count);
    // The tail never reads as a ticket.
    QCOMPARE(set.trovaPerTitolo("Coda").valore(), std::nullopt);

    const auto written = set.aggiungi(ticket("Nuova"));
    QVERIFY(written.ok());
    QCOMPARE(written.valore(), appendedAs);
    const QByteArray after = readBytes(path());
    const qsizetype offset = qsizetype(appendedAs - 1) * 126;
    QCOMPARE(after.size(), offset + 126);
    QCOMPARE(after.mid(offset), encoded(ticket("Nuova")));
    QCOMPARE(after.left(std::min(offset, before.size())), before.left(offset));
    QCOMPARE(set.trovaPerTitolo("Nuova").valore(), std::optional<std::uint64_t>(appendedAs));
}

void tst_InsiemeSchede::findByTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<quint64>("found"); // 0: not found
    QTest::newRow("exact") << "Prova" << quint64(1);
    QTest::newRow("first of two equal titles") << "Prova" << quint64(1);
    QTest::newRow("blanks around the query") << "  Prova " << quint64(1);
    QTest::newRow("blanks around the stored title") << "Ambo" << quint64(2);
    QTest::newRow("case matters") << "prova" << quint64(3);
    QTest::newRow("other case not found") << "PROVA" << quint64(0);
    QTest::newRow("tab is not a blank") << "\tProva" << quint64(0);
    QTest::newRow("accented title") << QString::fromUtf8("Perché") << quint64(5);
    QTest::newRow("text no title can hold") << QString::fromUtf8("漢字") << quint64(0);
    QTest::newRow("prefix is not the title") << "Prov" << quint64(0);
}

void tst_InsiemeSchede::findByTitle()
{
    QFETCH(QString, title);
    QFETCH(quint64, found);
    writeBytes(path(), fiveTitles());
    const auto result = InsiemeSchede(toStd(path())).trovaPerTitolo(toStd(title));
    QVERIFY(result.ok());
    QCOMPARE(result.valore().value_or(0), found);
}

void tst_InsiemeSchede::findByListEntry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<quint64>("found");
    QTest::newRow("stored twenty characters") << "Prova               " << quint64(1);
    QTest::newRow("trimmed entry does not match") << "Prova" << quint64(0);
    QTest::newRow("blanks kept where stored") << "  Ambo              " << quint64(2);
    QTest::newRow("trimmed stored blanks do not match") << "Ambo                " << quint64(0);
    QTest::newRow("accented entry") << QString::fromUtf8("Perché              ") << quint64(5);
}

void tst_InsiemeSchede::findByListEntry()
{
    QFETCH(QString, entry);
    QFETCH(quint64, found);
    writeBytes(path(), fiveTitles());
    const auto result = InsiemeSchede(toStd(path())).trovaPerVoce(toStd(entry));
    QVERIFY(result.ok());
    QCOMPARE(result.valore().value_or(0), found);
}

void tst_InsiemeSchede::readRecord_data()
{
    QTest::addColumn<quint64>("k");
    QTest::addColumn<bool>("exists");
    QTest::newRow("first") << quint64(1) << true;
    QTest::newRow("last") << quint64(2) << true;
    QTest::newRow("record zero") << quint64(0) << false;
    QTest::newRow("the tail") << quint64(3) << false;
    QTest::newRow("far beyond") << quint64(40) << false;
}

void tst_InsiemeSchede::readRecord()
{
    QFETCH(quint64, k);
    QFETCH(bool, exists);
    writeBytes(path(), provaRecord() + record("Seconda") + QByteArray("tail"));
    const auto read = InsiemeSchede(toStd(path())).leggi(k);
    QCOMPARE(read.ok(), exists);
    if (exists) {
        QCOMPARE(encoded(read.valore()), readBytes(path()).mid(qsizetype(k - 1) * 126, 126));
    } else {
        QCOMPARE(read.errore().tipo(), ErroreFile::Tipo::RecordInesistente);
    }
}

void tst_InsiemeSchede::scansCrossBlockBoundaries()
{
    const std::uint64_t total = InsiemeSchede::kRecordPerBlocco * 2 + 3;
    QByteArray bytes;
    for (std::uint64_t i = 1; i <= total; ++i)
        bytes += record(QByteArray::number(quint64(i)).constData());
    writeBytes(path(), bytes + QByteArray("partial"));
    const InsiemeSchede set(toStd(path()));
    for (std::uint64_t k : {std::uint64_t{1}, InsiemeSchede::kRecordPerBlocco,
                            InsiemeSchede::kRecordPerBlocco + 1, total}) {
        QCOMPARE(set.trovaPerTitolo(std::to_string(k)).valore(), std::optional(k));
        const std::string title = std::to_string(k);
        QCOMPARE(set.leggi(k).valore().titoloTesto(), title + std::string(20 - title.size(), ' '));
    }
    QCOMPARE(set.leggiTutte().valore().size(), total);
}

void tst_InsiemeSchede::overwriteKeepsOtherRecords()
{
    const QByteArray before = record("Uno") + record("Due") + record("Tre");
    writeBytes(path(), before);
    QVERIFY(InsiemeSchede(toStd(path())).sovrascrivi(2, ticket("Due bis")).ok());
    QCOMPARE(readBytes(path()), record("Uno") + encoded(ticket("Due bis")) + record("Tre"));
}

void tst_InsiemeSchede::missingFile_data()
{
    QTest::addColumn<bool>("gameOpening");
    QTest::addColumn<bool>("inMissingFolder");
    QTest::newRow("game opens a new empty set") << true << false;
    QTest::newRow("companion never creates one") << false << false;
    QTest::newRow("missing folder") << true << true;
}

void tst_InsiemeSchede::missingFile()
{
    QFETCH(bool, gameOpening);
    QFETCH(bool, inMissingFolder);
    const QString file = inMissingFolder ? path("nessuna/set.slott") : path();
    const InsiemeSchede set(toStd(file), gameOpening ? InsiemeSchede::Apertura::CreaSeManca
                                                     : InsiemeSchede::Apertura::SoloSeEsiste);
    const auto count = set.conta();
    const bool created = gameOpening && !inMissingFolder;
    QCOMPARE(count.ok(), created);
    QCOMPARE(QFile::exists(file), created);
    if (created) {
        QCOMPARE(count.valore(), 0u);
        QCOMPARE(readBytes(file).size(), 0);
    } else {
        QCOMPARE(count.errore().codice(), ENOENT);
        QVERIFY(count.errore().descrizione().find(toStd(file)) != std::string::npos);
    }
}

void tst_InsiemeSchede::notAPlainFile_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder") << false << QString::fromUtf8("è una cartella");
    QTest::newRow("a pipe, which must not hang") << true << QString::fromUtf8("non è un file");
}

void tst_InsiemeSchede::notAPlainFile()
{
    QFETCH(bool, fifo);
    QFETCH(QString, reason);
    if (fifo)
        QCOMPARE(::mkfifo(toStd(path()).c_str(), 0666), 0);
    else
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("set.slott")));
    const InsiemeSchede set(toStd(path()));
    const auto count = set.conta();
    const auto find = set.trovaPerTitolo("Prova");
    const auto append = set.aggiungi(ticket("Nuova"));
    const auto overwrite = set.sovrascrivi(1, ticket("Nuova"));
    QVERIFY(!count.ok() && !find.ok() && !append.ok() && !overwrite.ok());
    QCOMPARE(append.errore().tipo(), ErroreFile::Tipo::Scrittura);
    QVERIFY(QString::fromStdString(count.errore().descrizione()).contains(reason));
}

void tst_InsiemeSchede::failedWriteLeavesFileAsItWas_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<quint64>("overwrite"); // 0: append
    QTest::addColumn<int>("sizeLimit");
    QTest::newRow("append, no room at all") << record("Uno") << quint64(0) << 126;
    QTest::newRow("append, room for part of the record") << record("Uno") << quint64(0) << 200;
    QTest::newRow("append over a tail, part written")
        << record("Uno") + QByteArray("Coda") << quint64(0) << 200;
    QTest::newRow("overwrite past the end, part written") << record("Uno") << quint64(3) << 300;
}

void tst_InsiemeSchede::failedWriteLeavesFileAsItWas()
{
    QFETCH(QByteArray, before);
    QFETCH(quint64, overwrite);
    QFETCH(int, sizeLimit);
    writeBytes(path(), before);
    const std::string file = toStd(path());
    const auto outcome = runInChild({sizeLimit, false}, [&] {
        const InsiemeSchede set(file);
        const std::optional<ErroreFile> failure =
            overwrite == 0 ? failureOf(set.aggiungi(ticket("Nuova")))
                           : failureOf(set.sovrascrivi(overwrite, ticket("Nuova")));
        return failure && failure->tipo() == ErroreFile::Tipo::Scrittura &&
                       failure->codice() == EFBIG
                   ? 0
                   : 1;
    });
    QCOMPARE(outcome, std::optional(0));
    QCOMPARE(readBytes(path()), before);
}

void tst_InsiemeSchede::unprivilegedPlayerIsToldWhy()
{
    if (::geteuid() != 0)
        QSKIP("dropping to another user needs root, as in CI");
    writeBytes(path(), provaRecord());
    QCOMPARE(::chmod(toStd(path()).c_str(), 0600), 0);
    QCOMPARE(::chmod(toStd(m_dir->path()).c_str(), 0755), 0);
    const std::string file = toStd(path());
    const auto outcome = runInChild({std::nullopt, true}, [&] {
        const InsiemeSchede set(file);
        const auto count = set.conta();
        const auto append = set.aggiungi(ticket("Nuova"));
        const bool told = !count.ok() && count.errore().codice() == EACCES &&
                          count.errore().descrizione().find("permesso negato") != std::string::npos;
        return told && !append.ok() && append.errore().codice() == EACCES ? 0 : 1;
    });
    QCOMPARE(outcome, std::optional(0));
    QCOMPARE(readBytes(path()), provaRecord());
}

QTEST_APPLESS_MAIN(tst_InsiemeSchede)
#include "tst_insiemeschede.moc"
