#include "base/codepage1252.h"
#include "storage/cacheinsieme.h"
#include "storage/insiemeschede.h"
#include "storage/nuovaversione.h"
#include "support/childprocess.h"
#include "support/provaincartella.h"
#include "support/setfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <iconv.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kNothing = INT64_MIN; // a cost beyond the currency range
const Schedina kNuova = makeTicket("Nuova", {7}, {10}, {{0, 10000}});

// The UTF-8 of one byte in the system's own Windows-1252 table; nothing when it is undefined.
std::optional<QByteArray> systemDecode(char byte)
{
    const iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
    char out[8];
    char *from = &byte;
    char *to = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const bool done = iconv(cd, &from, &inLeft, &to, &outLeft) != std::size_t(-1);
    iconv_close(cd);
    return done ? std::optional(QByteArray(out, to - out)) : std::nullopt;
}

// The error code of a write refused as a write, -1 for anything else.
template <typename T>
int writeFailure(const Esito<T> &esito)
{
    const bool refused = !esito.ok() && esito.errore().tipo() == ErroreFile::Tipo::Scrittura;
    return refused ? esito.errore().codice() : -1;
}

std::string entries(const QStringList &titles)
{
    std::vector<std::string> utf8;
    for (const QString &t : titles)
        utf8.push_back(t.toStdString());
    return IndiceInsieme::codificaVoci(utf8);
}

} // namespace

// Titles, the set file, the set held in memory and the set kept between clicks.
class tst_Storage : public ProvaInCartella
{
    Q_OBJECT

private Q_SLOTS:
    void titles_data()
    {
        QTest::addColumn<QByteArray>("typed"); // UTF-8, or not quite
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("exact"); // the text's exact bytes; null when it has none
        auto row = [](const char *name, const QByteArray &typed, const QByteArray &stored,
                      const QByteArray &exact) {
            QTest::newRow(name) << typed << stored << exact;
        };
        // Every byte reads as the system's own table says, and back.
        for (int b = 0; b < 256; ++b) {
            if (const auto utf8 = systemDecode(char(b)))
                row(qPrintable(QString::asprintf("0x%02X", b)), *utf8, QByteArray(1, char(b)),
                    QByteArray(1, char(b)));
        }
        row("the five undefined bytes keep their own value", "\u0081\u008D\u008F\u0090\u009D",
            "\x81\x8D\x8F\x90\x9D", "\x81\x8D\x8F\x90\x9D");
        row("leading spaces kept, padded", "  Ambo", "  Ambo", "  Ambo");
        row("cut at twenty characters, not bytes", QByteArray("è").repeated(22),
            QByteArray(20, '\xE8'), QByteArray(22, '\xE8'));
        row("outside the code page", "Lotto 漢字", "Lotto ??", {});
        row("emoji is one character", "Fortuna \xF0\x9F\x8D\x80!", "Fortuna ?!", {});
        row("malformed utf-8", "\xC3(", "?(", {});
        row("overlong slash", "\xC0\xAF", "??", {});
        row("truncated sequence", "abc\xE2\x82", "abc??", {});
        row("surrogate", "\xED\xA0\x80", "???", {});
    }
    void titles()
    {
        QFETCH(QByteArray, typed);
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, exact);
        Schedina s;
        s.impostaTitolo(typed.toStdString());
        QCOMPARE(bytesOf(s),
                 stored.leftJustified(20, ' ') + QByteArray(106, 0)); // not one byte more
        const auto bytes = CodePage1252::encodeExactly(typed.toStdString());
        QCOMPARE(bytes ? QByteArray::fromStdString(*bytes) : QByteArray(), exact);
        if (!exact.isNull())
            QCOMPARE(QByteArray::fromStdString(CodePage1252::decodeToUtf8(exact.toStdString())),
                     typed);
    }
    void writeWhereTheGameWrites_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<quint64>("overwrite"); // 0: append
        QTest::addColumn<quint64>("count");     // whole records before the write
        QTest::addColumn<quint64>("written");
        QTest::addColumn<int>("sizeLimit"); // a write the limit cuts short must be undone
        auto row = [](const char *name, const QByteArray &before, quint64 overwrite, quint64 count,
                      quint64 written, int sizeLimit = 0) {
            QTest::newRow(name) << before << overwrite << count << written << sizeLimit;
        };
        const QByteArray uno = recordWithTitle("Uno");
        const QByteArray tail = recordWithTitle("Coda");
        row("a missing set is opened as a new empty one", {}, 0, 0, 1);
        row("empty set", "", 0, 0, 1);
        row("after one record", uno, 0, 1, 2);
        row("130 bytes: the tail is replaced", uno + tail.left(4), 0, 1, 2);
        row("200 bytes: written after a gap", uno + tail.left(74), 0, 1, 3);
        row("half a record: rounded to even", tail.left(63), 0, 0, 2);
        row("one and a half records: rounded to even", uno + tail.left(63), 0, 1, 2);
        row("overwrite keeps the records around it", uno + uno + uno, 2, 3, 2);
        row("an append over a tail cut short", uno + tail.left(4), 0, 1, 2, 200);
        row("an overwrite past the end cut short", uno, 3, 1, 3, 300);
    }
    void writeWhereTheGameWrites()
    {
        QFETCH(QByteArray, before);
        QFETCH(quint64, overwrite);
        QFETCH(quint64, count);
        QFETCH(quint64, written);
        QFETCH(int, sizeLimit);
        if (!before.isNull())
            writeBytes(path(), before);
        const InsiemeSchede set(toStd(path()));
        QCOMPARE(set.conta().valore(), count);
        QCOMPARE(set.trovaPerTitolo("Coda").valore(),
                 std::nullopt); // a tail never reads as a ticket
        if (sizeLimit) {
            const auto cut = runInChild({sizeLimit, false}, [&] {
                return overwrite ? writeFailure(set.sovrascrivi(overwrite, kNuova))
                                 : writeFailure(set.aggiungi(kNuova));
            });
            QCOMPARE(cut, std::optional(EFBIG));
            QCOMPARE(readBytes(path()), before);
            return;
        }
        const auto inode = [&] {
            struct stat info
            {
            };
            return ::stat(toStd(path()).c_str(), &info) == 0 ? info.st_ino : ino_t(0);
        };
        const ino_t inodePrima = inode();
        if (overwrite)
            QVERIFY(set.sovrascrivi(overwrite, kNuova).ok());
        else
            QCOMPARE(set.aggiungi(kNuova).valore(), written);
        // A record written over another comes in a new version of the set, whole or not at all.
        QCOMPARE(inode() != inodePrima, overwrite != 0);
        const qsizetype offset = qsizetype(written - 1) * 126;
        QByteArray expected =
            before + QByteArray(std::max<qsizetype>(0, offset - before.size()), 0);
        QCOMPARE(readBytes(path()), expected.replace(offset, 126, bytesOf(kNuova)));
        QCOMPARE(set.trovaPerTitolo("Nuova").valore(), std::optional(written));
    }
    void aNewVersion_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("meanwhile"); // what the world does while the version is made
        QTest::addColumn<bool>("replace");
        QTest::addColumn<int>("refused"); // the error's kind, -1 for none
        auto row = [](const char *name, bool exists, const char *meanwhile, bool replace,
                      int refused = -1) {
            QTest::newRow(name) << exists << meanwhile << replace << refused;
        };
        using T = ErroreFile::Tipo;
        row("unseen, then in the set's place, its permissions kept", true, "", true);
        row("dropped: the set as it was, nothing beside it", true, "", false);
        row("a new set is made whole", false, "", true);
        row("a new set dropped: no file", false, "", false);
        row("a new set made meanwhile by another program is left alone", false, "made", true,
            int(T::Spostato));
        row("renamed meanwhile: the renamed set as it was", true, "renamed", true,
            int(T::Spostato));
        row("a second name made meanwhile keeps the set whole", true, "linked", true,
            int(T::AltriNomi));
        row("through a symbolic link from another folder, the file it leads to", true,
            "through a link", true);
        row("another user's set is not made ours", true, "another user", true,
            int(T::AltroProprietario));
    }
    // Records written to a new version of the set, which takes the set's place whole or not at
    // all, whatever another program does to the set meanwhile.
    void aNewVersion()
    {
        QFETCH(bool, exists);
        QFETCH(QString, meanwhile);
        QFETCH(bool, replace);
        QFETCH(int, refused);
        const QByteArray before = exists ? recordWithTitle("Uno") + "Coda" : QByteArray();
        const QByteArray records = recordWithTitle("Due") + recordWithTitle("Tre");
        const QByteArray after = (exists ? recordWithTitle("Uno") : QByteArray()) + records;
        const QString other =
            m_dir->filePath(meanwhile == "through a link" ? "sotto/altro.slott" : "altro.slott");
        const auto bytesAt = [](const QString &file) {
            return QFileInfo::exists(file) ? readBytes(file) : QByteArray();
        };
        if (exists) {
            writeBytes(path(), before);
            QCOMPARE(::chmod(toStd(path()).c_str(), 0640), 0);
        }
        std::string name = toStd(path());
        if (meanwhile == "through a link") { // from another folder
            QVERIFY(QDir(m_dir->path()).mkdir("sotto"));
            name = toStd(other);
            QVERIFY(QFile::link(path(), other));
        } else if (meanwhile == "another user") {
            QCOMPARE(::chmod(toStd(m_dir->path()).c_str(), 0777), 0);
            QCOMPARE(::chmod(toStd(path()).c_str(), 0666), 0);
            const auto kind = runInChild({std::nullopt, true}, [&] {
                const auto held = BloccoInsieme::prendi(name);
                const auto version = NuovaVersione::prepara(held.valore());
                return version ? -1 : int(version.errore().tipo());
            });
            QCOMPARE(kind, std::optional(refused));
            QCOMPARE(readBytes(path()), before);
            return;
        }
        std::optional<Esito<Fatto>> done;
        {
            const auto held = BloccoInsieme::prendi(name);
            auto version = NuovaVersione::prepara(held.valore());
            done.emplace(version ? Esito<Fatto>(Fatto{}) : version.errore());
            if (version) {
                const std::uint64_t first =
                    InsiemeSchede::numeroPerAggiunta(version.valore().lunghezzaPrima());
                QVERIFY(version.valore().scrivi(records.toStdString(), first).ok());
                QVERIFY(version.valore().sincronizza().ok());
                QCOMPARE(bytesAt(path()), before); // unseen while it is made
                if (meanwhile == "made")
                    writeBytes(path(), "altro");
                else if (meanwhile == "renamed")
                    QVERIFY(QFile::rename(path(), other));
                else if (meanwhile == "linked")
                    QCOMPARE(::link(toStd(path()).c_str(), toStd(other).c_str()), 0);
                if (replace)
                    done.emplace(version.valore().sostituisci());
            }
        }
        QCOMPARE(done->ok() ? -1 : int(done->errore().tipo()), refused);
        const bool replaced = replace && refused < 0;
        const QMap<QString, QByteArray> expected = {{"", replaced ? after : before},
                                                    {"made", "altro"},
                                                    {"renamed", {}},
                                                    {"through a link", after}};
        QCOMPARE(bytesAt(path()), expected.value(meanwhile, replaced ? after : before));
        if (meanwhile == "renamed" || meanwhile.startsWith("linked"))
            QCOMPARE(bytesAt(other), before);
        if (meanwhile == "through a link")
            QVERIFY(QFileInfo(other).isSymLink());
        if (replaced && exists)
            QCOMPARE(QFileInfo(path()).permissions(), QFile::ReadOwner | QFile::WriteOwner |
                                                          QFile::ReadUser | QFile::WriteUser |
                                                          QFile::ReadGroup);
        // Nothing else stays in the folder but what was put there.
        QStringList names =
            QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.removeAll(QStringLiteral("altro.slott"));
        QCOMPARE(names, QFileInfo::exists(path()) ? QStringList{"set.slott"} : QStringList());
    }
    void lookUp_data()
    {
        QTest::addColumn<QString>("how"); // by title (trimmed), or read
        QTest::addColumn<QString>("query");
        QTest::addColumn<quint64>("found"); // 0: none
        auto row = [](const char *name, const char *how, const char *query, quint64 found) {
            QTest::newRow(name) << how << QString::fromUtf8(query) << found;
        };
        row("first of two equal titles", "title", "Prova", 1);
        row("blanks around the query", "title", "  Prova ", 1);
        row("blanks around the stored title", "title", "Ambo", 2);
        row("case matters", "title", "prova", 3);
        row("tab is not a blank", "title", "\tProva", 0);
        row("accented title", "title", "Perché", 5);
        row("text no title can hold", "title", "漢字", 0);
        row("the first title of the second block", "title", "8193", 8193);
        row("the last title", "title", "16387", 16387);
        row("read the first", "read", "1", 1);
        row("read across blocks", "read", "8193", 8193);
        row("read the last", "read", "16387", 16387);
        row("read record zero", "read", "0", 0);
        row("read the tail", "read", "16388", 0);
        // (k - 1) * 126 wraps round 64 bits to the offset of record 2.
        row("read past 64 bits", "read", "9223372036854775810", 0);
    }
    void lookUp()
    {
        QFETCH(QString, how);
        QFETCH(QString, query);
        QFETCH(quint64, found);
        static const QByteArray file = [] {
            QByteArray bytes;
            for (const char *title : {"Prova", "  Ambo  ", "prova", "Prova"})
                bytes += recordWithTitle(title);
            bytes += ticketRecord("Perch\xC3\xA9", {90}, {3}, {{4, 1}});
            // Numbered records after them fill two blocks of a scan and some of a third.
            for (int k = 6; k <= 2 * int(InsiemeSchede::kRecordPerBlocco) + 3; ++k)
                bytes += recordWithTitle(QByteArray::number(k));
            return bytes;
        }();
        writeBytes(path(), file + "tail");
        const InsiemeSchede set(toStd(path()));
        if (how == "read") {
            const auto read = set.leggi(query.toULongLong());
            QCOMPARE(read.ok() ? bytesOf(read.valore()) : QByteArray(),
                     found ? file.mid(qsizetype(found - 1) * 126, 126) : QByteArray());
            QVERIFY(read.ok() || read.errore().tipo() == ErroreFile::Tipo::RecordInesistente);
            QCOMPARE(qsizetype(set.leggiTutte().valore().size()), file.size() / 126);
            return;
        }
        QCOMPARE(set.trovaPerTitolo(toStd(query)).valore().value_or(0), found);
    }
    void costAndRefund_data()
    {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<qint64>("cost");   // each entry from the first record with its title
        QTest::addColumn<qint64>("refund"); // each entry from the record after the previous one's
        auto row = [](const char *name, const QStringList &titles, qint64 cost, qint64 refund) {
            QTest::newRow(name) << titles << cost << refund;
        };
        // Records 1..6: A costs 5, B 3, A again 7, C 2, B again 11, H the most there is. C's stakes
        // on Ambo flagged 2 and on the unused sixth bet type flagged 1 do not count.
        row("none", {}, 0, 0);
        row("in file order", {"A", "B", "A", "C", "B"}, 18, 28);
        // Records 7 and 8: two titles whose stored bytes share the index's 32-bit hash; 9 costs
        // more than the currency holds.
        row("titles of one hash told apart", {"Schedina 143840", "Schedina 100711"}, 30, 30);
        row("after B at 2, A is found at 3", {"B", "A"}, 8, 10);
        row("after C at 4, B at 5, then round to A at 1", {"C", "B", "A"}, 10, 18);
        row("a missing entry costs 0, the search stays", {"B", "Z", "A"}, 8, 10);
        row("the same title twice: both records", {"B", "B"}, 6, 14);
        row("a title three times goes round", {"A", "A", "A"}, 15, 17);
        row("the largest cost", {"H"}, INT64_MAX, INT64_MAX);
        row("beyond the currency: nothing", {"A", "H"}, kNothing, kNothing);
    }
    void costAndRefund()
    {
        QFETCH(QStringList, titles);
        QFETCH(qint64, cost);
        QFETCH(qint64, refund);
        std::vector<Schedina> schede;
        const std::pair<const char *, qint64> records[] = {{"A", 5},
                                                           {"B", 3},
                                                           {"A", 7},
                                                           {"C", 2},
                                                           {"B", 11},
                                                           {"H", INT64_MAX},
                                                           {"Schedina 100711", 13},
                                                           {"Schedina 143840", 17},
                                                           {"Oltre", INT64_MAX}};
        for (const auto &[title, stake] : records)
            schede.push_back(makeTicket(title, {}, {}, {{0, stake}}));
        schede[3].giocate = {1, 2, 0, 0, 0, 1};
        schede[3].puntate[1] = schede[3].puntate[5] = Currency::fromRaw(100);
        schede[8].giocate[1] = 1; // and its cost beyond what the currency holds
        schede[8].puntate[1] = Currency::fromRaw(1);
        const IndiceInsieme index(schede);
        const Currency nothing = Currency::fromRaw(kNothing);
        // Entry i said to be listed from record i + 1: right for the rows in file order, stale
        // for the others, and never a different cost.
        for (const std::vector<std::uint32_t> &listedFrom :
             {std::vector<std::uint32_t>{}, std::vector<std::uint32_t>{1, 2, 3, 4, 5}}) {
            const auto costs = index.costoVoci(entries(titles), listedFrom);
            QCOMPARE(costs ? qint64(costs->totale.raw()) : kNothing, cost);
        }
        QCOMPARE(qint64(index.rimborso(entries(titles)).value_or(nothing).raw()), refund);
        QCOMPARE(IndiceInsieme(std::vector<Schedina>{}).rimborso(entries(titles)),
                 std::optional(Currency()));
    }
    void cacheSeesEveryChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("seen"); // "kept": the same set as before, not read again
        auto row = [](const char *name, const char *change, const char *seen) {
            QTest::newRow(name) << change << seen;
        };
        row("none: an old set is read once", "none", "kept");
        row("none, but just written: read again", "fresh", "Uno");
        row("same size, written at once", "rewrite", "Due");
        row("written back with its old times", "old times", "Due");
        row("a record appended", "append", "Due");
        row("a new version in its place, with the same size and times", "new version", "Due");
        row("replaced by a folder", "folder", "error");
    }
    void cacheSeesEveryChange()
    {
        QFETCH(QString, change);
        QFETCH(QString, seen);
        writeBytes(path(), recordWithTitle("Uno"));
        // A short margin instead of the game's two seconds; the file's times tick as they do.
        CacheInsieme cache(std::chrono::milliseconds(50));
        if (change != "fresh")
            QTest::qSleep(80);
        const auto first = cache.leggi(toStd(path())).valore();
        struct stat before;
        QCOMPARE(::stat(toStd(path()).c_str(), &before), 0);
        if (change == "rewrite" || change == "old times")
            writeBytes(path(), recordWithTitle("Due"));
        else if (change == "append")
            writeBytes(path(), recordWithTitle("Uno") + recordWithTitle("Due"));
        else if (change == "folder")
            QVERIFY(QFile::remove(path()) &&
                    QDir(m_dir->path()).mkdir(QStringLiteral("set.slott")));
        const QString version = m_dir->filePath(QStringLiteral("nuova"));
        if (change == "new version")
            writeBytes(version, recordWithTitle("Due"));
        const timespec times[2] = {before.st_atim, before.st_mtim};
        if (change == "old times" || change == "new version")
            QCOMPARE(::utimensat(AT_FDCWD, toStd(change == "old times" ? path() : version).c_str(),
                                 times, 0),
                     0);
        if (change == "new version")
            QCOMPARE(::rename(toStd(version).c_str(), toStd(path()).c_str()), 0);
        const auto again = cache.leggi(toStd(path()));
        QCOMPARE(again.ok(), seen != "error");
        if (!again.ok())
            return;
        QCOMPARE(again.valore() == first, seen == "kept");
        const std::string_view titles = again.valore()->titoli();
        QCOMPARE(QString::fromLatin1(titles.substr(titles.size() - 20).data(), 20).trimmed(),
                 seen == "kept" ? "Uno" : seen);
    }

private:
    QString path() const { return m_dir->filePath(QStringLiteral("set.slott")); }
};

QTEST_APPLESS_MAIN(tst_Storage)
#include "tst_storage.moc"
