#include "sound/radicesuoni.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Which local file a recording's Windows path plays, with the player's own folder first.
class tst_RadiceSuoni : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void finds_data();
    void finds();
    void defaultFoldersPutThePlayersFirst_data();
    void defaultFoldersPutThePlayersFirst();
};

// Each test has the player's folder "mia" first, then the installed one "inst".
void tst_RadiceSuoni::finds_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<QString>("atteso"); // empty: not found
    const QString click = "C:\\Quarzolo\\Suoni\\Lotto\\click.wav";
    const QStringList installato{"inst/Lotto/click.wav"};
    QTest::newRow("any case in every component")
        << QStringList{"inst/lotto/Click.WAV"} << click << "inst/lotto/Click.WAV";
    QTest::newRow("the player's folder before the installed one")
        << QStringList{"mia/Lotto/click.wav", "inst/Lotto/click.wav"} << click
        << "mia/Lotto/click.wav";
    QTest::newRow("another drive")
        << installato << QString("D:\\Quarzolo\\Suoni\\Lotto\\click.wav") << "";
    QTest::newRow("dot and dot-dot inside the root")
        << installato << QString("C:\\Quarzolo\\Suoni\\Aggiunte\\..\\Lotto\\.\\click.wav")
        << "inst/Lotto/click.wav";
    QTest::newRow("dot-dot never climbs out")
        << QStringList{"segreto.wav", "inst/Lotto/click.wav"}
        << QString("C:\\Quarzolo\\Suoni\\Lotto\\..\\..\\segreto.wav") << "";
}

void tst_RadiceSuoni::finds()
{
    QFETCH(QStringList, file);
    QFETCH(QString, percorso);
    QFETCH(QString, atteso);
    QTemporaryDir dir;
    for (const QString &f : file) {
        QVERIFY(QDir(dir.path()).mkpath(QFileInfo(f).path()));
        QVERIFY(QFile(dir.filePath(f)).open(QIODevice::WriteOnly));
    }
    const RadiceSuoni radice(
        {dir.filePath("mia").toStdString(), dir.filePath("inst").toStdString()});
    const auto trovato = radice.trova(percorso.toStdString());
    QCOMPARE(trovato ? QString::fromStdString(trovato->string()) : QString(),
             atteso.isEmpty() ? QString() : dir.filePath(atteso));
}

void tst_RadiceSuoni::defaultFoldersPutThePlayersFirst_data()
{
    QTest::addColumn<QByteArray>("xdg");
    QTest::addColumn<QString>("propria");
    QTest::newRow("XDG_DATA_HOME set") << QByteArray("/dati") << "/dati/zaffirone/Suoni";
    QTest::newRow("XDG_DATA_HOME unset") << QByteArray() << "/casa/.local/share/zaffirone/Suoni";
}

// Then the installed folder beside the program's, then, as this test runs from the build
// tree, the build's own copy.
void tst_RadiceSuoni::defaultFoldersPutThePlayersFirst()
{
    QFETCH(QByteArray, xdg);
    QFETCH(QString, propria);
    qputenv("HOME", "/casa");
    xdg.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", xdg);
    QStringList radici;
    for (const auto &r : RadiceSuoni::radiciPredefinite())
        radici << QString::fromStdString(r.string());
    const QDir programma(QCoreApplication::applicationDirPath());
    QCOMPARE(radici,
             (QStringList{propria, QDir::cleanPath(programma.filePath("../share/zaffirone/Suoni")),
                          QDir::cleanPath(programma.filePath("../../data/Suoni"))}));
}

QTEST_GUILESS_MAIN(tst_RadiceSuoni)
#include "tst_radicesuoni.moc"
