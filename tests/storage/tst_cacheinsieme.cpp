#include "storage/cacheinsieme.h"
#include "support/setfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// The set kept between clicks must never hide a change to its file.
class tst_CacheInsieme : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changesAreAlwaysSeen_data();
    void changesAreAlwaysSeen();
    void anUnchangedOldSetIsReadOnce();
};

namespace {

// A short margin so the test need not wait the game's two seconds; the file's times still tick
// as the file system makes them.
constexpr auto kMargin = std::chrono::milliseconds(50);

void letAge()
{
    QTest::qSleep(80);
}

} // namespace

void tst_CacheInsieme::changesAreAlwaysSeen_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("same size, written at once") << "rewrite";
    QTest::newRow("a record appended") << "append";
    QTest::newRow("replaced by another file") << "replace";
    QTest::newRow("replaced by a folder") << "folder";
}

void tst_CacheInsieme::changesAreAlwaysSeen()
{
    QFETCH(QString, change);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set.slott"));
    writeBytes(path, recordWithTitle("Uno"));
    letAge();
    CacheInsieme cache(kMargin);
    const auto kept = cache.leggi(toStd(path)).valore();
    QCOMPARE(cache.leggi(toStd(path)).valore().get(), kept.get());
    if (change == "rewrite") {
        writeBytes(path, recordWithTitle("Due"));
    } else if (change == "append") {
        writeBytes(path, recordWithTitle("Uno") + recordWithTitle("Due"));
    } else if (change == "replace") {
        writeBytes(path + ".new", recordWithTitle("Due"));
        QVERIFY(QFile::remove(path) && QFile::rename(path + ".new", path));
    } else {
        QVERIFY(QFile::remove(path) && QDir(dir.path()).mkdir(QStringLiteral("set.slott")));
    }
    const auto again = cache.leggi(toStd(path));
    if (change == "folder") {
        QVERIFY(!again.ok());
        return;
    }
    QCOMPARE(again.valore()->primo(QByteArray("Due").leftJustified(20).toStdString()).has_value(),
             true);
}

void tst_CacheInsieme::anUnchangedOldSetIsReadOnce()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set.slott"));
    writeBytes(path, recordWithTitle("Uno"));
    letAge();
    CacheInsieme cache(kMargin);
    const auto first = cache.leggi(toStd(path)).valore();
    QCOMPARE(cache.leggi(toStd(path)).valore().get(), first.get());
    // A set just written is read again until it is old enough to trust its times.
    writeBytes(path, recordWithTitle("Due"));
    const auto fresh = cache.leggi(toStd(path)).valore();
    QVERIFY(cache.leggi(toStd(path)).valore().get() != fresh.get());
}

QTEST_APPLESS_MAIN(tst_CacheInsieme)
#include "tst_cacheinsieme.moc"
