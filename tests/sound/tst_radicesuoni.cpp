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

private:
    static void crea(const QDir &base, const QString &relativo)
    {
        QVERIFY(base.mkpath(QFileInfo(relativo).path()));
        QFile f(base.filePath(relativo));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("RIFF");
    }
};

void tst_RadiceSuoni::finds_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QStringList>("radici");
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<QString>("atteso"); // empty: not found
    const QStringList inst{"inst"};
    const QString click = "C:\\Quarzolo\\Suoni\\Lotto\\click.wav";
    QTest::newRow("exact") << QStringList{"inst/Lotto/click.wav"} << inst << click
                           << "inst/Lotto/click.wav";
    QTest::newRow("any case in every component")
        << QStringList{"inst/lotto/Click.WAV"} << inst << click << "inst/lotto/Click.WAV";
    QTest::newRow("spaces in a folder") << QStringList{"inst/ruote e vincite/ambo_bari.wav"} << inst
                                        << "C:\\Quarzolo\\Suoni\\Ruote e Vincite\\ambo_bari.wav"
                                        << "inst/ruote e vincite/ambo_bari.wav";
    QTest::newRow("spaces in a name")
        << QStringList{"inst/Aggiunte/Spiritose/il lotto quando vuoi da normalizzare.wav"} << inst
        << "C:\\Quarzolo\\Suoni\\Aggiunte\\Spiritose\\il lotto quando vuoi da normalizzare.wav"
        << "inst/Aggiunte/Spiritose/il lotto quando vuoi da normalizzare.wav";
    QTest::newRow("the player's folder before the installed one")
        << QStringList{"mia/Lotto/click.wav", "inst/Lotto/click.wav"} << QStringList{"mia", "inst"}
        << click << "mia/Lotto/click.wav";
    QTest::newRow("the installed one for what the player lacks")
        << QStringList{"mia/Lotto/fine.wav", "inst/Lotto/click.wav"} << QStringList{"mia", "inst"}
        << click << "inst/Lotto/click.wav";
    QTest::newRow("no player's folder")
        << QStringList{"inst/Lotto/click.wav"} << QStringList{"nessuna", "inst"} << click
        << "inst/Lotto/click.wav";
    QTest::newRow("missing file") << QStringList{"inst/Lotto/fine.wav"} << inst << click << "";
    QTest::newRow("not under the sound root")
        << QStringList{"inst/Lotto/click.wav"} << inst << "C:\\Quarzolo\\Lotto\\click.wav"
        << "";
    QTest::newRow("dot-dot inside the root")
        << QStringList{"inst/Lotto/click.wav"} << inst
        << "C:\\Quarzolo\\Suoni\\Aggiunte\\..\\Lotto\\.\\click.wav"
        << "inst/Lotto/click.wav";
    QTest::newRow("dot-dot never climbs out")
        << QStringList{"segreto.wav", "inst/Lotto/click.wav"} << inst
        << "C:\\Quarzolo\\Suoni\\Lotto\\..\\..\\segreto.wav"
        << "";
}

void tst_RadiceSuoni::finds()
{
    QFETCH(QStringList, file);
    QFETCH(QStringList, radici);
    QFETCH(QString, percorso);
    QFETCH(QString, atteso);
    QTemporaryDir dir;
    for (const QString &f : file)
        crea(QDir(dir.path()), f);
    std::vector<std::filesystem::path> cartelle;
    for (const QString &r : radici)
        cartelle.emplace_back(dir.filePath(r).toStdString());
    const auto trovato = RadiceSuoni(cartelle).trova(percorso.toStdString());
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

void tst_RadiceSuoni::defaultFoldersPutThePlayersFirst()
{
    QFETCH(QByteArray, xdg);
    QFETCH(QString, propria);
    const QByteArray home = qgetenv("HOME");
    const QByteArray xdgPrima = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", "/casa");
    xdg.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", xdg);
    const auto radici = RadiceSuoni::radiciPredefinite();
    qputenv("HOME", home);
    xdgPrima.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", xdgPrima);

    const QDir eseguibile(QCoreApplication::applicationDirPath());
    QCOMPARE(radici.size(), std::size_t(3)); // this test runs from the build tree
    QCOMPARE(QString::fromStdString(radici[0].string()), propria);
    QCOMPARE(QString::fromStdString(radici[1].string()),
             QDir::cleanPath(eseguibile.filePath("../share/zaffirone/Suoni")));
    QVERIFY(radici[2].string().ends_with("/data/Suoni"));
    QVERIFY(
        QDir::cleanPath(eseguibile.path())
            .startsWith(QString::fromStdString(radici[2].parent_path().parent_path().string())));
}

QTEST_GUILESS_MAIN(tst_RadiceSuoni)
#include "tst_radicesuoni.moc"
