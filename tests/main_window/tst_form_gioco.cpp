#include "support/partitadiprova.h"
#include "widgets/twips.h"

namespace {

const QString kNoSet = " / 10000 0 0 0 |  |  | Nessun file caricato";
const QString kAsk = "Avviso? Il file è già esistente,sovrascriverlo?";
const QString kFolder =
    "Errore: Impossibile aprire il file \"set.slott\": è una cartella, non un file.";
const QString kB = " / 10000 0 0 0 |  |  | File caricato : b.slott";

} // namespace

// The main window as a player meets it: each row is what a player does (see PartitaDiProva::fai),
// what the player was told, and what the window shows (see vista).
class tst_Form_gioco : public QObject
{
    Q_OBJECT

    void scenario()
    {
        QFETCH(QStringList, actions);
        QFETCH(QString, told);
        PartitaDiProva game;
        auto ticket = [&](const QString &name, const QList<int> &numbers, const QList<int> &wheels,
                          const QMap<int, qint64> &stakes, const char *title = nullptr) {
            game.schede[name] =
                ticketRecord(title ? title : qPrintable(name), numbers, wheels, stakes);
        };
        ticket("A", {1, 2}, {0, 3, 7}, {{0, 20000}, {1, 30000}}); // costs 5, on three wheels
        ticket("B", {1, 2}, {0}, {{1, 30000}});                   // 3
        ticket("C", {1, 2}, {0}, {{1, 20000}});                   // 2
        ticket("A7", {1, 2}, {0}, {{0, 40000}, {1, 30000}}, "A"); // 7
        ticket("Bmax", {1}, {0}, {{0, INT64_MAX}}, "B");
        ticket("Perde", {80}, {0}, {{0, 10000}});
        ticket("Vince", {1, 2, 3}, {0, 7}, {{0, 10000}, {1, 10000}});
        ticket("Dodici", {45}, {0, 1}, {{0, 23036}});
        for (int n : {7, 8, 9})
            ticket(QString::number(n), {n}, {0}, {{0, 10000}}); // each wins 11 on Bari
        game.schede["+"] = "tail";
        writeBytes(game.path("b.slott"), ticketRecord("Altra", {1}, {0}, {{0, 10000}}));
        QDir(game.dir.path()).mkdir("d.slott");
        if (actions.first() != "start")
            game.detto();
        game.fai(actions);
        QCOMPARE(game.detto(), told);
        for (const QString &filter : game.dialog.filtri)
            QCOMPARE(filter, QString("Lotto files (*.slott)|*.slott|"));
        QCOMPARE(game.dialog.senzaRisposta, 0);
    }

private Q_SLOTS:
    void menusAndTabs_data()
    {
        colonne();
        riga("start", "start, message, page, menus, vista",
             "inizio_programma / ~il lotto quando vuoi da normalizzare / Per iniziare a giocare "
             "carica un insieme di schedine oppure creane un insieme nuovo / page 0 tab 1 / "
             "Disabilita i "
             "suoni/Suoni Spiritosi" +
                 kNoSet);
        riga(
            "points changed elsewhere, shown on return",
            "punti 9995.5, vista, italian, activate, vista",
            "10000 0 0 0 |  |  | Nessun file caricato / 9995,5 0 0 0 |  |  | Nessun file caricato");
        riga("Esci", "menu:esci, menus", "click / ~fine / Disabilita i suoni/Suoni Spiritosi");
        riga("Esci, joking set", "menu:spirito, menu:esci, menus",
             "click x2 / Errore_Nooo_non_puoi / ~non_uscire / ~fine / Disabilita i suoni/Suoni "
             "normali");
        riga("sounds off: their click, then silence", "menu:suoni, menu:esci, menu:newgame, menus",
             "click / Riabilita i suoni/Suoni Spiritosi");
        riga("sounds on again, without a click", "menu:suoni, menu:suoni, menu:esci, menus",
             "click x2 / ~fine / Disabilita i suoni/Suoni Spiritosi");
        riga("the hidden exit area", "exit", "~visiiii / the end");
        riga("the window closed", "close", "the end");
        riga("tab 2", "tab 2, page", "lotto_gioca / page 1 tab 2");
        riga("tab 3", "tab 3, page", "inizio_lotto / page 2 tab 3");
        riga("tab 4, the rules leafed", "tab 4, page, rules 2, rules 3, rules 0",
             "inizio_regolamento / page 3 tab 4 / rules 2 / rules 3 / rules 0");
        riga("tab 3, joking set", "joking, tab 3, page", "click / page 2 tab 3");
        riga("beside the tabs", "tab 2, tab 0, page", "lotto_gioca / page 1 tab 2");
        riga("a new game under any tab",
             "tab 3, carica A, > 0, menu:newgame, page, tab 3, page, vista",
             "inizio_lotto / click x3 / inizio_programma / ~il lotto quando vuoi da normalizzare / "
             "nuova_partita / inizio_lotto / page 0 tab 3 / page 2 tab 3" +
                 kNoSet);
        riga("a new ticket without a set", "scheda, state", "click / lott_almeno_un_file / closed");
        riga("a new ticket: the editor cleared",
             "carica, scheda, title:Vecchia, 0:5, scheda, state", "click x5 / _ | o");
    }
    void menusAndTabs() { scenario(); }

    void sets_data()
    {
        colonne();
        const QString abc = " / 10000 0 0 0 | A,B,C | ";
        const QString where = " / Per visualizzare la schedina fare doppio clic sulla schedina";
        riga("load", "carica A B C, message, vista", "click" + where + abc);
        riga("load 130 bytes: one ticket", "carica A +, vista", "click / 10000 0 0 0 | A | ");
        riga(
            "cancel before any choice", "scrivi A, carica:, message, vista",
            "click / Per iniziare a giocare carica un insieme di schedine oppure creane un insieme "
            "nuovo" +
                kNoSet);
        riga("reload: the stakes back", "carica A B C, > 0 1, carica:b.slott, vista",
             "click x3 / 10000 0 0 0 | Altra |  | File caricato : b.slott");
        riga("cancelled reload: the same set again", "carica A B C, > 0 1, carica:, vista",
             "click x3" + abc);
        riga("new set cancelled", "nuovo:, vista", "click" + kNoSet);
        riga("new set", "nuovo:c.slott, message, vista",
             "click" + where + " / 10000 0 0 0 |  |  | File caricato : c.slott");
        riga("over a set: No, then cancel", "no, nuovo:b.slott:, carica:b.slott, vista",
             "click / lotto_sovrascrivere / click / " + kAsk +
                 " / 10000 0 0 0 | Altra |  | File caricato : b.slott");
        riga("over a set: Yes, joking set", "joking, sì, nuovo:b.slott, carica:b.slott, vista",
             "click / ~lotto_sovrascrivere_pollame / ~perso / click / " + kAsk + kB);
        riga("over a set, sounds off: asked all the same", "mute, sì, nuovo:b.slott, vista",
             kAsk + kB);
        riga("a new set while one is loaded", "carica A, nuovo:c.slott, vista",
             "click x2 / file_aperto / 10000 0 0 0 | A | ");
        riga("> costs 5 and 3", "carica A B C, punti 100, > 0 1, vista",
             "click x2 / 92 8 -8 0 | C | A,B");
        riga("> nothing selected", "carica A B C, punti 100, >, vista",
             "click x2 / 100 0 0 0 | A,B,C | ");
        riga("> a cost equal to the points", "carica A B C, punti 8, > 0 1, vista",
             "click x2 / 0 8 -8 0 | C | A,B");
        riga("> first and last, in list order", "carica A B C, punti 100, > 2 0, vista",
             "click x2 / 93 7 -7 0 | B | A,C");
        riga("> beyond the points", "carica A B C, punti 4, mute, > 0 1, vista",
             "click / Errore: Non hai abbastanza punti per fare queste giocate,ne hai 4 e te ne "
             "servono 8" +
                 abc);
        riga(">> beyond the points", "carica A B C, punti 4, >>, vista",
             "click x2 / lotto_punti_insufficienti" + abc);
        riga(">> charges what is left, then nothing", "carica A B C, > 1, >>, >>, vista",
             "click x4 / 9990 7 -10 0 |  | B,A,C");
        riga("<< gives back the costs as they are now",
             "carica A B C, > 1, >>, scrivi A7 B C, <<, vista",
             "click x4 / 10002 12 2 0 | B,A,C | ");
        // A set that cannot be read changes nothing.
        riga("loading a folder", "carica A B C, > 0, carica:d.slott, vista",
             "click x3 / " + QString(kFolder).replace("set", "d") + " / 9995 5 -5 0 | B,C | A");
        riga("reloading a set become a folder", "carica A B C, > 0, cartella, carica:, vista",
             "click x3 / " + kFolder + " / 9995 5 -5 0 | B,C | A");
        riga("a cost beyond what the game counts",
             "carica A B C, > 0, scrivi A Bmax C, > 0 1, vista",
             "click x3 / Errore: Il costo di queste schedine supera il massimo che il gioco può "
             "contare / 9995 5 -5 0 | B,C | A");
    }
    void sets() { scenario(); }

    void plays_data()
    {
        colonne();
        riga("play with nothing chosen", "carica 7, gioca, board, vista",
             "click x2 / lotto_carica_schedine / board ,,,,, / 10000 0 0 0 | 7 | ");
        // Bari pays the Ambo, 83.7 / 2 wheels x 3 = 125.55; Roma the Estratto, 5.55.
        riga(
            "wins told in order", "mute, carica Perde Vince, > 1 0, gioca 0:1,2 7:3, board, vista",
            "Hai vinto!!: Complimenti!Estratto su Bari! / Hai vinto!!: Complimenti!Ambo su Bari! / "
            "Hai vinto!!: Complimenti!Estratto su Roma! / board 1,2,60,61,62, / 10127 0 127 130 | "
            "Perde,Vince | ");
        // 11.2 x 2.3036 / 2 = 12.9 on each of two wheels: 24 in all.
        riga("each wheel loses its fraction", "carica Dodici, > 0, gioca 0:45 1:45, vista",
             "click x3 / estratto_bari / estratto_cagliari / 10021.6964 0 21.6964 24 | Dodici | ");
        riga("game over at 0 points", "carica 7, punti 1, > 0, gioca 0:80, vista",
             "click x3 / lotto_game_over / 0 0 -1 0 | 7 | ");
        riga("ten million exactly: nothing", "carica 7, punti 9999990, > 0, gioca 0:7, vista",
             "click x3 / estratto_bari / 10000000 0 10 11 | 7 | ");
        riga("above ten million: won, and a new game",
             "carica 7, punti 9999991, > 0, gioca 0:7, vista",
             "click x3 / estratto_bari / lotto_hai_vinto / click / inizio_programma / ~il lotto "
             "quando vuoi da normalizzare / nuova_partita" +
                 kNoSet);
        riga("... written", "mute, carica 7, punti 9999991, > 0, gioca 0:7",
             "Hai vinto!!: Complimenti!Estratto su Bari! / Complimentiiiiii: Complimenti!!!Hai "
             "finito il giocooooo");
        // The set changed before the play: each ticket searched going round it.
        riga("another order", "carica 7 8 9, >>, scrivi 9 8 7, gioca 0:7,8,9, vista",
             "click x3 / estratto_bari x3 / 10030 0 30 33 | 7,8,9 | ");
        riga("a ticket gone", "carica 7 8 9, >>, scrivi 8 9, gioca 0:7,8,9, vista",
             "click x3 / estratto_bari x2 / 10019 0 19 22 | 7,8,9 | ");
        riga("the set gone", "carica 7 8 9, >>, scrivi -, gioca 0:7,8,9, vista",
             "click x3 / 9997 0 -3 0 | 7,8,9 | ");
        riga("the set a folder: nothing credited",
             "carica 7, > 0, cartella, gioca 0:7, board, vista",
             "click x3 / " + kFolder + " / board 7,60,61,62,63, / 9999 1 -1 0 |  | 7");
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
        const QPoint middle(outer.width() / 2, outer.height() / 2);
        QVERIFY((strip->geometry().center() - middle).manhattanLength() <= 2);
        for (QWidget *page : game.pagine())
            QCOMPARE(page->pos(), QPoint(strip->x(), middle.y() - page->height() / 2) +
                                      QPoint(twips(100), twips(100)));
        QCOMPARE(game.window.visore()->pos(), strip->pos() + QPoint(twips(400), twips(2500)));
        QCOMPARE(game.window.findChild<QLabel *>("lbl_esci")->geometry(),
                 twipsRect(1320, 0, 975, 495));
        for (QTextBrowser *page : game.window.paginaRegolamento()->OLE)
            QVERIFY(page->toPlainText().contains("LE REGOLE DEL GIOCO"));
    }
};

QTEST_MAIN(tst_Form_gioco)
#include "tst_form_gioco.moc"
