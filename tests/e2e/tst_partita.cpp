#include "support/partitadiprova.h"
#include "widgets/stilegioco.h"

// One whole game through the real windows, as a player plays it (see PartitaDiProva::fai): a set
// loaded, a ticket written, chosen, looked at, played and won; then changed to stake every point
// (an Estratto of 11240 besides), played and lost. Run offscreen, and on a real X server, where
// it also keeps pictures.
class tst_Partita : public QObject
{
    Q_OBJECT

    PartitaDiProva *game = nullptr;
    // A few actions, what they told the player, and a picture of a window for a person to see.
    void step(const QString &actions, const QString &told, QWidget *window = nullptr,
              const QString &picture = {})
    {
        game->fai(actions.split(", "));
        QCOMPARE(game->detto(), told);
        const QString folder = qEnvironmentVariable("ZAFFIRONE_SCREENSHOTS");
        if (window && !folder.isEmpty())
            QVERIFY(QDir().mkpath(folder) && window->grab().save(folder + '/' + picture + ".png"));
    }

private Q_SLOTS:
    void aWholeGame()
    {
        stile::installaSostituzioniCaratteri();
        PartitaDiProva partita;
        game = &partita;
        partita.schede["Vecchia"] = ticketRecord("Vecchia", {7}, {0}, {{0, 10000}});
        step("tab 3, carica Vecchia, scheda, title:Ambo Bari, 0:12, 1:34, wheel 0, bet 1, stake "
             "1:5, state",
             "inizio_programma / ~il lotto quando vuoi da normalizzare / inizio_lotto / click x3 / "
             "12 34 _ | o x5 | xoooooooooo",
             partita.window.editor(), "editor");
        step("save, > 1, dblplay 0, viewer, record 2, vista",
             "click / lotto_schedina_salvata / click / 12 34 | o x5 | xoooooooooo -M / Ambo "
             "Bari[12,34|0|1:5] / 9995 5 -5 0 | Vecchia | Ambo Bari");
        // Played: 34 and 12 come out on Bari, and the Ambo pays 5 x 250.
        step(
            "esci1, tab 2, gioca 0:34,12, board, vista",
            "click / lotto_gioca / click / ambo_bari / board 34,12,60,61,62, / 11245 0 1245 1250 | "
            "Vecchia,Ambo Bari | ",
            &partita.window, "tabellone");
        step("tab 3, dbl 1, viewer", "inizio_lotto / 12 34 | o x5 | xoooooooooo",
             partita.window.visore(), "visore");
        step("modifica, bet 0, stake 0:11240, save, record 2, vista",
             "click x2 / lotto_schedina_salvata / Ambo Bari[12,34|0|0:11240 1:5] / 11245 0 1245 "
             "1250 | Vecchia,Ambo Bari | ");
        step("> 1, tab 2, vista, gioca 0:1, tab 1, tab 4, vista",
             "click / lotto_gioca / click / lotto_game_over / inizio_programma / "
             "inizio_regolamento / 0 11245 -10000 1250 | Vecchia | Ambo Bari / 0 0 -10000 0 | "
             "Vecchia,Ambo Bari | ",
             &partita.window, "regolamento");
    }
};

QTEST_MAIN(tst_Partita)
#include "tst_partita.moc"
