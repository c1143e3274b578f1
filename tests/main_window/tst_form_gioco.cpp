#include "support/partitadiprova.h"
#include "widgets/twips.h"

namespace {

const char *const kNoSet = "10000 0 0 0 |  |  | Nessun file caricato";
const char *const kFolder =
    "Errore: Impossibile aprire il file \"set.slott\": è una cartella, non un file.";

// A row: the player's actions (see PartitaDiProva::fai) separated by commas, what the player was
// told (see Finti::detto) separated by slashes, and what the window shows then (see vista).
void row(const char *name, const QString &actions, const QString &told, const char *shown = kNoSet)
{
    QTest::newRow(name) << actions.split(", ") << told.split(" / ", Qt::SkipEmptyParts)
                        << QString(shown);
}

} // namespace

// The main window as a player meets it: start, menus, tabs, sets, choices and plays.
class tst_Form_gioco : public QObject
{
    Q_OBJECT

    void columns()
    {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QString>("shown");
    }
    void scenario()
    {
        QFETCH(QStringList, actions);
        QFETCH(QStringList, told);
        QFETCH(QString, shown);
        PartitaDiProva game;
        auto ticket = [&](const char *name, const QList<int> &numbers, const QList<int> &wheels,
                          const QMap<int, qint64> &stakes, const char *title = nullptr) {
            game.schede[name] = ticketRecord(title ? title : name, numbers, wheels, stakes);
        };
        ticket("Uno", {1, 2}, {0, 3, 7}, {{0, 20000}, {1, 30000}});   // costs 5, on three wheels
        ticket("Due", {1, 2}, {0}, {{1, 30000}});                     // 3
        ticket("Tre", {1, 2}, {0}, {{1, 20000}});                     // 2
        ticket("Uno7", {1, 2}, {0}, {{0, 40000}, {1, 30000}}, "Uno"); // 7
        ticket("Enorme", {1}, {0}, {{0, INT64_MAX}}, "Due");
        ticket("Perde", {80}, {0}, {{0, 10000}});
        ticket("Vince", {1, 2, 3}, {0, 7}, {{0, 10000}, {1, 10000}});
        ticket("Dodici", {45}, {0, 1}, {{0, 23036}});
        for (int n : {7, 8, 9})
            ticket(qPrintable(QString::number(n)), {n}, {0}, {{0, 10000}}); // each wins 11 on Bari
        game.schede["+"] = "tail";
        writeBytes(game.path("b.slott"), ticketRecord("Altra", {1}, {0}, {{0, 10000}}));
        QDir(game.dir.path()).mkdir("d.slott");
        game.detto();
        game.fai(actions);
        QCOMPARE(game.detto(), told);
        QCOMPARE(game.vista(), shown);
        for (const QString &dialog : game.dialog.mostrati)
            QVERIFY(dialog.endsWith(": Lotto files (*.slott)|*.slott|"));
        QCOMPARE(game.dialog.senzaRisposta, 0);
    }

private Q_SLOTS:
    void start()
    {
        PartitaDiProva game;
        game.fai({"hint", "page", "menus"});
        QCOMPARE(game.detto(), QString("inizio_programma / ~il lotto quando vuoi da normalizzare / "
                                       "Per iniziare a giocare carica un insieme di schedine "
                                       "oppure creane un insieme nuovo / 0 tab 1 / Disabilita i "
                                       "suoni/Suoni Spiritosi")
                                   .split(" / "));
        QCOMPARE(game.vista(), QString(kNoSet));
        QVERIFY(!game.window.visore()->isVisible());
        // Points changed by another window are shown when this one is active again.
        QLocale::setDefault(QLocale("it_IT"));
        game.modulo.punti = Currency::fromRaw(99955000);
        QEvent activation(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&game.window, &activation);
        QCOMPARE(game.vista().left(6), QString("9995,5"));
    }

    void menusAndTabs_data()
    {
        columns();
        row("Esci", "menu:cmd_esci, menus", "click / ~fine / Disabilita i suoni/Suoni Spiritosi");
        row("Esci, joking set", "menu:mnu_cmd_spirito, menu:cmd_esci, menus",
            "click / click / Errore_Nooo_non_puoi / ~non_uscire / ~fine / Disabilita i suoni/Suoni "
            "normali");
        row("joking and back", "menu:mnu_cmd_spirito, menu:mnu_cmd_spirito, menus",
            "click / click / Disabilita i suoni/Suoni spiritosi");
        row("sounds off: their click, then silence",
            "menu:mnu_cmd_suoni, menu:cmd_esci, menu:mnu_file_newgame, menus",
            "click / Riabilita i suoni/Suoni Spiritosi");
        row("sounds on again, without a click",
            "menu:mnu_cmd_suoni, menu:mnu_cmd_suoni, menu:cmd_esci, menus",
            "click / click / ~fine / Disabilita i suoni/Suoni Spiritosi");
        row("the hidden exit area", "exit", "~visiiii / the end");
        row("the window closed", "close", "the end");
        row("tab 2", "tab 2, page", "lotto_gioca / 1 tab 2");
        row("tab 3", "tab 3, page", "inizio_lotto / 2 tab 3");
        row("tab 4, the rules leafed", "tab 4, page, rules 2, rules 3, rules 0",
            "inizio_regolamento / 3 tab 4 / rules 2 / rules 3 / rules 0");
        row("tab 1, already chosen", "tab 1, page", "inizio_programma / 0 tab 1");
        row("tab 3, joking set", "joking, tab 3, page", "click / 2 tab 3");
        row("beside the tabs", "tab 2, tab 0, page", "lotto_gioca / 1 tab 2");
        row("a new game under any tab",
            "tab 3, carica Uno, > 0, menu:mnu_file_newgame, page, tab 3, page",
            "inizio_lotto / click / click / click / inizio_programma / ~il lotto quando vuoi da "
            "normalizzare / nuova_partita / inizio_lotto / 0 tab 3 / 2 tab 3");
        row("a new ticket without a set", "scheda, editor",
            "click / lott_almeno_un_file / no editor");
        row("a new ticket: the editor cleared",
            "carica, scheda, editor:title:Vecchia, editor:0:5, scheda, editor",
            "click / click / click / click / click / _ | o", "10000 0 0 0 |  | ");
    }
    void menusAndTabs() { scenario(); }

    void sets_data()
    {
        columns();
        const char *hint = "Per visualizzare la schedina fare doppio clic sulla schedina";
        row("load", "carica Uno Due Tre, hint", QString("click / ") + hint,
            "10000 0 0 0 | Uno,Due,Tre | ");
        row("load an empty file", "scrivi, carica", "click", "10000 0 0 0 |  | ");
        row("load 130 bytes: one ticket", "carica Uno +", "click", "10000 0 0 0 | Uno | ");
        row("cancel before any choice", "scrivi Uno, carica:, hint",
            "click / Per iniziare a giocare carica un insieme di schedine oppure creane un insieme "
            "nuovo");
        row("reload: the stakes back", "carica Uno Due Tre, > 0 1, carica:b.slott",
            "click / click / click", "10000 0 0 0 | Altra |  | File caricato : b.slott");
        row("cancelled reload: the same set again",
            "carica Uno Due Tre, > 0 1, carica:", "click / click / click",
            "10000 0 0 0 | Uno,Due,Tre | ");
        row("new set", "nuovo:c.slott, hint", QString("click / ") + hint,
            "10000 0 0 0 |  |  | File caricato : c.slott");
        row("over a set: No, then cancel", "no, nuovo:b.slott:, carica:b.slott",
            "click / lotto_sovrascrivere / click / Avviso? Il file è già esistente,sovrascriverlo?",
            "10000 0 0 0 | Altra |  | File caricato : b.slott");
        row("over a set: Yes, joking set", "joking, sì, nuovo:b.slott, carica:b.slott",
            "click / ~lotto_sovrascrivere_pollame / ~perso / click / Avviso? Il file è già "
            "esistente,sovrascriverlo?",
            "10000 0 0 0 |  |  | File caricato : b.slott");
        row("over a set, sounds off: asked all the same", "mute, sì, nuovo:b.slott",
            "Avviso? Il file è già esistente,sovrascriverlo?",
            "10000 0 0 0 |  |  | File caricato : b.slott");
        row("a new set while one is loaded", "carica Uno, nuovo:c.slott",
            "click / click / file_aperto", "10000 0 0 0 | Uno | ");
        row("> costs 5 and 3", "carica Uno Due Tre, punti 100, > 0 1", "click / click",
            "92 8 -8 0 | Tre | Uno,Due");
        row("> nothing selected", "carica Uno Due Tre, punti 100, >", "click / click",
            "100 0 0 0 | Uno,Due,Tre | ");
        row("> a cost equal to the points", "carica Uno Due Tre, punti 8, > 0 1", "click / click",
            "0 8 -8 0 | Tre | Uno,Due");
        row("> first and last, in list order", "carica Uno Due Tre, punti 100, > 2 0",
            "click / click", "93 7 -7 0 | Due | Uno,Tre");
        row("> beyond the points", "carica Uno Due Tre, punti 4, mute, > 0 1",
            "click / Errore: Non hai abbastanza punti per fare queste giocate,ne hai 4 e te ne "
            "servono 8",
            "4 0 0 0 | Uno,Due,Tre | ");
        row(">> beyond the points", "carica Uno Due Tre, punti 4, >>",
            "click / click / lotto_punti_insufficienti", "4 0 0 0 | Uno,Due,Tre | ");
        row(">> charges what is left, then nothing", "carica Uno Due Tre, > 1, >>, >>",
            "click / click / click / click", "9990 7 -10 0 |  | Due,Uno,Tre");
        row("<< gives them all back", "carica Uno Due Tre, > 1, >>, <<",
            "click / click / click / click", "10000 10 0 0 | Due,Uno,Tre | ");
        row("< gives back the cost as it is now",
            "carica Uno Due Tre, > 0, scrivi Uno7 Due Tre, < 0", "click / click / click",
            "10002 7 2 0 | Due,Tre,Uno | ");
        row("<< too", "carica Uno Due Tre, > 0, scrivi Uno7 Due Tre, <<", "click / click / click",
            "10002 7 2 0 | Due,Tre,Uno | ");
        // A set that cannot be read changes nothing.
        row("loading a folder", "carica Uno Due Tre, > 0, carica:d.slott",
            QString("click / click / click / ") + QString(kFolder).replace("set", "d"),
            "9995 5 -5 0 | Due,Tre | Uno");
        row("reloading a set become a folder", "carica Uno Due Tre, > 0, cartella, carica:",
            QString("click / click / click / ") + kFolder, "9995 5 -5 0 | Due,Tre | Uno");
        row("moving from a folder", "carica Uno Due Tre, > 0, cartella, > 0",
            QString("click / click / click / ") + kFolder, "9995 5 -5 0 | Due,Tre | Uno");
        row("a cost beyond what the game counts",
            "carica Uno Due Tre, > 0, scrivi Uno Enorme Tre, > 0 1",
            "click / click / click / Errore: Il costo di queste schedine supera il massimo che il "
            "gioco può contare",
            "9995 5 -5 0 | Due,Tre | Uno");
    }
    void sets() { scenario(); }

    void plays_data()
    {
        columns();
        row("play with nothing chosen", "carica Uno, gioca, board",
            "click / click / lotto_carica_schedine / board ,,,,", "10000 0 0 0 | Uno | ");
        row("... sounds off", "mute, carica Uno, gioca",
            "Errore: Devi selezionare almeno una schedina da giocare", "10000 0 0 0 | Uno | ");
        // Bari pays the Ambo, 83.7 / 2 wheels x 3 = 125.55; Roma the Estratto, 5.55.
        row("wins told in order", "mute, carica Perde Vince, > 1 0, gioca 0:1,2 7:3, board",
            "Hai vinto!!: Complimenti!Estratto su Bari! / Hai vinto!!: Complimenti!Ambo su Bari! / "
            "Hai vinto!!: Complimenti!Estratto su Roma! / board 1,2,60,61,62",
            "10127 0 127 130 | Perde,Vince | ");
        // 11.2 x 2.3036 / 2 = 12.9 on each of two wheels: 24 in all.
        row("each wheel loses its fraction", "carica Dodici, > 0, gioca 0:45 1:45",
            "click / click / click / estratto_bari / estratto_cagliari",
            "10021.6964 0 21.6964 24 | Dodici | ");
        row("game over at 0 points", "carica 7, punti 1, > 0, gioca 0:80",
            "click / click / click / lotto_game_over", "0 0 -1 0 | 7 | ");
        row("ten million exactly: nothing", "carica 7, punti 9999990, > 0, gioca 0:7",
            "click / click / click / estratto_bari", "10000000 0 10 11 | 7 | ");
        row("above ten million: won, and a new game", "carica 7, punti 9999991, > 0, gioca 0:7",
            "click / click / click / estratto_bari / lotto_hai_vinto / click / inizio_programma / "
            "~il lotto quando vuoi da normalizzare / nuova_partita");
        row("... written", "mute, carica 7, punti 9999991, > 0, gioca 0:7",
            "Hai vinto!!: Complimenti!Estratto su Bari! / Complimentiiiiii: Complimenti!!!Hai "
            "finito il giocooooo");
        // The set changed before the play: each ticket searched going round it.
        row("another order", "carica 7 8 9, >>, scrivi 9 8 7, gioca 0:7,8,9",
            "click / click / click / estratto_bari / estratto_bari / estratto_bari",
            "10030 0 30 33 | 7,8,9 | ");
        row("a ticket gone", "carica 7 8 9, >>, scrivi 8 9, gioca 0:7,8,9",
            "click / click / click / estratto_bari / estratto_bari", "10019 0 19 22 | 7,8,9 | ");
        row("the set gone", "carica 7 8 9, >>, scrivi -, gioca 0:7,8,9", "click / click / click",
            "9997 0 -3 0 | 7,8,9 | ");
        row("the set a folder: nothing credited", "carica 7, > 0, cartella, gioca 0:7, board",
            QString("click / click / click / ") + kFolder + " / board 7,60,61,62,63",
            "9999 1 -1 0 |  | 7");
    }
    void plays() { scenario(); }

    void layoutKeepsTheTabStripCentred_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("as drawn") << QSize();
        QTest::newRow("wider and taller") << QSize(1200, 900);
    }
    void layoutKeepsTheTabStripCentred()
    {
        QFETCH(QSize, size);
        PartitaDiProva game;
        game.fai({"tab 4"});
        if (size.isValid())
            game.window.resize(size);
        QTRY_VERIFY(!size.isValid() || game.window.size() == size);
        const QRect outer = game.window.frameGeometry();
        const QWidget *strip = game.window.tabStrip();
        QVERIFY(qAbs(strip->geometry().center().x() - outer.width() / 2) <= 1);
        QVERIFY(qAbs(strip->geometry().center().y() - outer.height() / 2) <= 1);
        for (QWidget *page : game.pagine())
            QCOMPARE(page->pos(), QPoint(strip->x() + twips(100),
                                         outer.height() / 2 - page->height() / 2 + twips(100)));
        QCOMPARE(game.window.visore()->pos(), strip->pos() + QPoint(twips(400), twips(2500)));
        QCOMPARE(game.window.findChild<QLabel *>("lbl_esci")->geometry(),
                 twipsRect(1320, 0, 975, 495));
        for (QTextBrowser *page : game.window.paginaRegolamento()->OLE)
            QVERIFY(page->toPlainText().contains("LE REGOLE DEL GIOCO"));
    }
};

QTEST_MAIN(tst_Form_gioco)
#include "tst_form_gioco.moc"
