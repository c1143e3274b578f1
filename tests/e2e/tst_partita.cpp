#include "support/partitadiprova.h"
#include "widgets/stilegioco.h"

#include <QGuiApplication>

namespace {

QStringList g_warnings;

} // namespace

// One whole game through the real windows, as a player plays it: a set loaded, a ticket written,
// chosen, looked at, played and won; then changed to stake every point, played and lost. Run
// offscreen, and on a real X server, where it also keeps a picture of every window it meets.
class tst_Partita : public QObject
{
    Q_OBJECT

    void screenshot(QWidget *widget, const char *name)
    {
        const QString folder = qEnvironmentVariable("ZAFFIRONE_SCREENSHOTS");
        if (!folder.isEmpty())
            QVERIFY(QDir().mkpath(folder) && widget->grab().save(folder + '/' + name + ".png"));
    }

private Q_SLOTS:
    void aWholeGame()
    {
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type != QtDebugMsg && type != QtInfoMsg)
                g_warnings << text;
        });
        stile::installaSostituzioniCaratteri();
        PartitaDiProva game;
        game.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&game.window));
        const QByteArray vecchia = game.schede["Vecchia"] = ticketRecord("Vecchia", {7}, {0}, {});
        game.fai({"tab 3", "carica Vecchia", "scheda", "editor:title:Ambo Bari", "editor:0:12",
                  "editor:1:34", "editor:wheel 0", "editor:bet 1", "editor:stake 1:5"});
        screenshot(game.window.editor(), "editor");
        game.fai({"editor:save", "> 1", "viewplay 0"});
        const QByteArray ambo = ticketRecord("Ambo Bari", {12, 34}, {0}, {{1, 50000}});
        QCOMPARE(readBytes(game.path()), vecchia + ambo);
        QCOMPARE(game.vista(), QString("9995 5 -5 0 | Vecchia | Ambo Bari"));
        QCOMPARE(game.detto(), QString("inizio_programma / ~il lotto quando vuoi da normalizzare / "
                                       "inizio_lotto / click / click / click / click / "
                                       "lotto_schedina_salvata / click")
                                   .split(" / "));
        QCOMPARE(stato(game.window.visore()->campi), "12 34 | o x5 | xoooooooooo");
        QVERIFY(!game.window.visore()->cmd_modifica->isVisible()); // a ticket chosen for play

        // Played: 34 and 12 come out on Bari, and the Ambo pays 5 x 250.
        game.fai({"viewer:esci1", "tab 2", "gioca 0:34,12", "board"});
        screenshot(&game.window, "tabellone");
        QCOMPARE(game.detto(), (QStringList{"click", "lotto_gioca", "click", "ambo_bari",
                                            "board 34,12,60,61,62"}));
        QCOMPARE(game.vista(), QString("11245 0 1245 1250 | Vecchia,Ambo Bari | "));

        // Changed through the viewer to stake every point: an Estratto of 11240 besides.
        game.fai({"tab 3", "view 1"});
        QVERIFY(game.window.visore()->cmd_modifica->isVisible());
        screenshot(game.window.visore(), "visore");
        game.fai({"viewer:modifica", "editor:bet 0", "editor:stake 0:11240", "editor:save"});
        QCOMPARE(readBytes(game.path()),
                 vecchia + ticketRecord("Ambo Bari", {12, 34}, {0}, {{0, 112400000}, {1, 50000}}));
        QCOMPARE(game.vista(), QString("11245 0 1245 1250 | Vecchia,Ambo Bari | "));

        // Played again, and lost: no point left.
        game.fai({"> 1", "tab 2"});
        QCOMPARE(game.vista(), QString("0 11245 -10000 1250 | Vecchia | Ambo Bari"));
        game.detto();
        game.fai({"gioca 0:1", "tab 1", "tab 4"});
        screenshot(&game.window, "regolamento");
        QCOMPARE(game.detto(), (QStringList{"click", "lotto_game_over", "inizio_programma",
                                            "inizio_regolamento"}));
        QCOMPARE(game.vista(), QString("0 0 -10000 0 | Vecchia,Ambo Bari | "));
    }

    void cleanupTestCase()
    {
        qInstallMessageHandler(nullptr);
        // On a real X server the windows show without a single warning.
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join('\n')));
    }
};

QTEST_MAIN(tst_Partita)
#include "tst_partita.moc"
