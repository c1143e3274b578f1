#include "support/partitadiprova.h"
#include "support/pdf.h"
#include "widgets/italiano.h"
#include "widgets/stilegioco.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QScrollBar>

namespace {

const char *const kNoSet = "10000 0 0 0 |  |  | Nessun file caricato";
const QString kIlleggibile = "Errore: Il file delle schedine non si può leggere (%1)";
const QString kAsk = "Avviso? Il file è già esistente,sovrascriverlo?";
const QString kFolder =
    "Errore: Impossibile aprire il file \"set.slott\": è una cartella, non un file.";

// A row: the player's actions, what the player was told, and what the window shows at the end.
void row(const char *name, const QString &actions, const QString &told,
         const QString &shown = kNoSet)
{
    riga(name, actions, told.isEmpty() ? shown : told + " / " + shown);
}

} // namespace

// The main window as a player meets it: each row is what a player does (see PartitaDiProva::fai),
// what the player was told, and what the window shows (see vista).
class tst_Form_gioco : public QObject
{
    Q_OBJECT

    static void carte(PartitaDiProva &game)
    {
        game.schede = {
            {"A", ticketRecord("A", {1, 2}, {0, 3, 7}, {{0, 20000}, {1, 30000}})}, // costs 5
            {"B", ticketRecord("B", {1, 2}, {0}, {{1, 30000}})},                   // 3
            {"C", ticketRecord("C", {1, 2}, {0}, {{1, 20000}})},                   // 2
            {"Perde", ticketRecord("Perde", {80}, {0}, {{0, 10000}})},
            {"Vince", ticketRecord("Vince", {1, 2, 3}, {0, 7}, {{0, 10000}, {1, 10000}})},
            {"Dodici", ticketRecord("Dodici", {45}, {0, 1}, {{0, 23036}})},
            {"7", ticketRecord("7", {7}, {0}, {{0, 10000}})}}; // wins 11 on Bari
        for (int i = 1; i <= 9; ++i) // "T1" ... "T9": all ten wheels, every bet type
            game.schede["T" + QString::number(i)] =
                ticketRecord(qPrintable("T" + QString::number(i)), {i, i + 1, i + 2, i + 3, i + 4},
                             {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
                             {{0, 10000}, {1, 10000}, {2, 10000}, {3, 10000}, {4, 10000}});
    }

    void scenario()
    {
        QFETCH(QStringList, actions);
        QFETCH(QString, told);
        PartitaDiProva game;
        carte(game);
        writeBytes(game.path("b.slott"), ticketRecord("Altra", {1}, {0}, {{0, 10000}}));
        QDir(game.dir.path()).mkdir("d.slott");
        if (actions.first() != "start")
            game.detto();
        game.fai(actions + QStringList{"vista"});
        QCOMPARE(game.detto(), told);
    }

private Q_SLOTS:
    void initTestCase() { parlaItaliano(*QCoreApplication::instance()); }
    void menusAndTabs_data()
    {
        colonne();
        row("start", "start, message, page, menus",
            "inizio_programma / ~il lotto quando vuoi da normalizzare / Per iniziare a giocare "
            "carica un insieme di schedine oppure creane un insieme nuovo / page 0 tab 1 / "
            "Disabilita i "
            "suoni/Suoni Spiritosi");
        row("points changed elsewhere, shown on return", "punti 9995.5, vista, activate",
            "10000 0 0 0 |  |  | Nessun file caricato",
            "9995.5 0 0 0 |  |  | Nessun file caricato");
        row("Esci", "menu:cmd_esci, menus", "click / ~fine / Disabilita i suoni/Suoni Spiritosi");
        row("Esci, joking set", "menu:mnu_cmd_spirito, menu:cmd_esci, menus",
            "click x2 / Errore_Nooo_non_puoi / ~non_uscire / ~fine / Disabilita i suoni/Suoni "
            "normali");
        row("sounds off: their click, then silence",
            "menu:mnu_cmd_suoni, menu:cmd_esci, menu:mnu_file_newgame, menus",
            "click / Riabilita i suoni/Suoni Spiritosi");
        row("the hidden exit area", "exit", "~visiiii / the end");
        row("the window closed", "close", "the end");
        row("tab 4, the rules leafed", "tab 4, page, rules 3, rules 4, rules 1",
            "inizio_regolamento / page 3 tab 4 / rules 3 / rules 4 / rules 1");
        row("beside the tabs", "tab 2, tab 0, page", "lotto_gioca / page 1 tab 2");
        row("a new game under any tab",
            "tab 3, carica A, > 0, menu:mnu_file_newgame, page, tab 3, page",
            "inizio_lotto / click x3 / inizio_programma / ~il lotto quando vuoi da normalizzare / "
            "nuova_partita / inizio_lotto / page 0 tab 3 / page 2 tab 3");
        row("a new ticket without a set", "scheda, state", "click / lott_almeno_un_file / closed");
        row("a new ticket: the editor cleared", "carica, scheda, title:Vecchia, 0:5, scheda, state",
            "click x5 / _ | o", "10000 0 0 0 |  | ");
    }
    void menusAndTabs() { scenario(); }

    void sets_data()
    {
        colonne();
        const char *abc = "10000 0 0 0 | A,B,C | ";
        const QString where = " / Per visualizzare la schedina fare doppio clic sulla schedina";
        row("load", "carica A B C, message", "click" + where, abc);
        row("cancel before any choice", "scrivi A, carica:, message",
            "click / Per iniziare a giocare carica un insieme di schedine oppure creane un insieme "
            "nuovo");
        row("reload: the stakes back", "carica A B C, > 0 1, carica:b.slott", "click x3",
            "10000 0 0 0 | Altra |  | File caricato : b.slott");
        row("cancelled reload: the same set again", "carica A B C, > 0 1, carica:", "click x3",
            abc);
        row("new set", "nuovo:c.slott, message", "click" + where,
            "10000 0 0 0 |  |  | File caricato : c.slott");
        row("over a set: No, then cancel", "no, nuovo:b.slott:, carica:b.slott",
            "click / lotto_sovrascrivere / click / " + kAsk + "",
            "10000 0 0 0 | Altra |  | File caricato : b.slott");
        row("over a set: Yes, joking set", "intempo, joking, sì, nuovo:b.slott, carica:b.slott",
            "click / ~lotto_sovrascrivere_pollame / ~perso / click / " + kAsk,
            "10000 0 0 0 |  |  | File caricato : b.slott");
        row("a new set while one is loaded", "carica A, nuovo:c.slott", "click x2 / file_aperto",
            "10000 0 0 0 | A | ");
        row("> beyond the points", "carica A B C, punti 4, mute, > 0 1",
            "click / Errore: Non hai abbastanza punti per fare queste giocate,ne hai 4 e te ne "
            "servono 8",
            abc);
        row("... no audio output: shown as with sounds off", "carica A B C, punti 4, sordo, > 0 1",
            "click x2 / Errore: Non hai abbastanza punti per fare queste giocate,ne hai 4 e te ne "
            "servono 8",
            abc);
        row(">> beyond the points", "carica A B C, punti 4, >>, mute, >>",
            "click x2 / lotto_punti_insufficienti / Errore: Non hai abbastanza punti!Ne hai 4 e te "
            "ne servono 10",
            abc);
        row("a ticket chosen for play is shown without Modifica",
            "carica A B, > 0, dblplay 0, viewer", "click x2 / 1 2 | x2 x3 | xooxoooxooo -M",
            "9995 5 -5 0 | B | A");
        // A set that cannot be read changes nothing.
        row("loading a folder", "carica A B C, > 0, carica:d.slott",
            "click x3 / " + QString(kFolder).replace("set", "d") + "", "9995 5 -5 0 | B,C | A");
        // The set held can no longer be read: the stakes come back as they were charged.
        row("then a folder: << gives them back", "carica A B C, > 0 1, cartella, <<",
            "click x3 / " + kIlleggibile.arg("è una cartella, non un file") +
                ": ti ho restituito 8 punti",
            "10000 8 0 0 | C,A,B | ");
    }
    void sets() { scenario(); }

    void plays_data()
    {
        colonne();
        row("play with nothing chosen", "carica 7, gioca, board",
            "click x2 / lotto_carica_schedine / board ,,,,,", "10000 0 0 0 | 7 | ");
        row("... no audio output", "sordo, carica 7, gioca",
            "click x2 / Errore: Devi selezionare almeno una schedina da giocare",
            "10000 0 0 0 | 7 | ");
        row("a win with no audio output: its box", "sordo, carica 7, > 0, gioca 0:7",
            "click x3 / Hai vinto!!: Complimenti!Estratto su Bari!", "10010 0 10 11 | 7 | ");
        // Bari pays the Ambo, 83.7 / 2 wheels x 3 = 125.55; Roma the Estratto, 5.55.
        row("wins told in order", "mute, carica Perde Vince, > 1 0, gioca 0:1,2 7:3, board",
            "Hai vinto!!: Complimenti!Estratto su Bari! / Hai vinto!!: Complimenti!Ambo su Bari! / "
            "Hai vinto!!: Complimenti!Estratto su Roma! / board 1,2,60,61,62,",
            "10127 0 127 130 | Perde,Vince | ");
        // Written, Cagliari is spelt as the boxes always spelt it.
        row("each wheel loses its fraction", "mute, carica Dodici, > 0, gioca 0:45 1:45",
            "Hai vinto!!: Complimenti!Estratto su Bari! / Hai vinto!!: Complimenti!Estratto su "
            "Cogliari!",
            "10021.6964 0 21.6964 24 | Dodici | ");
        row("game over at 0 points", "carica 7, punti 1, > 0, gioca 0:80",
            "click x3 / lotto_game_over", "0 0 -1 0 | 7 | ");
        row("above ten million: won, and a new game",
            "intempo, carica 7, punti 9999991, > 0, gioca 0:7",
            "click x3 / estratto_bari / lotto_hai_vinto / click / inizio_programma / ~il lotto "
            "quando vuoi da normalizzare / nuova_partita");
        row("... written", "mute, carica 7, punti 9999991, > 0, gioca 0:7",
            "Hai vinto!!: Complimenti!Estratto su Bari! / Complimentiiiiii: Complimenti!!!Hai "
            "finito il giocooooo");
        row("each wheel's winnings shown before the next wheel's are announced",
            "intempo, carica Vince, >>, ascolta, gioca 0:1,2 7:1",
            "click x3 / = 0 / estratto_bari / = 0 / ambo_bari / = 0 / estratto_roma / = 125",
            "10128 0 128 130 | Vince | ");
        // Real draws from the archive the companion keeps.
        row("a real day: its numbers and its day on the board, paid by the game's rules",
            "archivio, carica 7, > 0, vere:29/04/2025, gioca, board, data",
            "click x3 / estratto_bari / board 7,1,2,3,4, / 29/04/2025", "10010 0 10 11 | 7 | ");
        row("past the archive's last day: no play, nothing spent",
            "archivio, carica 7, vere:02/05/2025, > 0, gioca, > 0, gioca, data",
            "click x5 / Estrazioni: Nell'archivio non ci sono altre estrazioni dopo quella del "
            "02/05/2025: scegli un altro giorno o gioca a caso / 02/05/2025",
            "9998 1 -2 0 |  | 7");
        row("a day the archive lacks: the random draw stays", "archivio, carica 7, vere:30/04/2025",
            "click / Estrazioni: Si gioca a caso: nell'archivio non c'è un'estrazione del "
            "2025-04-30",
            "10000 0 0 0 | 7 | ");
        row("the published file imported from the menu",
            "archivio storico.txt, importa:storico.txt",
            "Estrazioni: Ho letto 3 righe. Ora l'archivio ha 2 estrazioni, dal 29/04/2025 al "
            "02/05/2025; 2 sono nuove.\nRighe ripetute: 0. Date incomplete: 2.");
        row("a file with a line refused changes nothing",
            "archivio, archivio rotto.txt, importa:rotto.txt",
            "Estrazioni: L'archivio non è cambiato:\nriga 4: la ruota \"XX\" non è conosciuta (BA "
            "CA FI GE MI NA PA RM TO VE, RN per la Nazionale)");
        row("a day typed by hand, then played",
            "archivio, aggiungi:06/05/2025 0=5,6,7,8,9, carica 7, > 0, vere:06/05/2025, gioca, "
            "board",
            "click x3 / estratto_bari / Estrazioni: L'estrazione del 06/05/2025 è nell'archivio. / "
            "board 5,6,7,8,9,",
            "10010 0 10 11 | 7 | ");
        row("a day typed by hand with a number twice: the companion's reason, in the dialog",
            "aggiungi:06/05/2025 10=5,6,7,8,5",
            "--ruota NAZIONALE=5,6,7,8,5: il numero 5 è estratto due volte");
        row("every ticket against the last day", "archivio, carica 7 Vince, verifica",
            "click / 0 vincite in 1 estrazione. Puntato: 3. Vinto: 0.", "10000 0 0 0 | 7,Vince | ");
        // Bari pays its highest bet type, the Ambo: 3 ambos of 1 / 6 at 250.
        row("the tickets chosen for play against two days",
            "archivio, carica 7 Vince, > 1, verifica:2 gioca",
            "click x2 / Vince 29/04/2025 Bari Estratto, Ambo 125 / 1 vincita in 2 estrazioni. "
            "Puntato: 4. Vinto: 125.",
            "9998 2 -2 0 | 7 | Vince");
        row("... moved in the file by another program: checked where the play finds it",
            "archivio, carica 7 Vince, > 1, scrivi Vince 7, verifica:2 gioca",
            "click x2 / Vince 29/04/2025 Bari Estratto, Ambo 125 / 1 vincita in 2 estrazioni. "
            "Puntato: 4. Vinto: 125.",
            "9998 2 -2 0 | 7 | Vince");
    }
    void plays() { scenario(); }

    // Commands asked of the companion while one runs wait their turn and answer in order.
    void companionOneAtATime()
    {
        PartitaDiProva game;
        game.fai({"archivio"});
        QStringList said;
        for (const char *day : {"", "2025-04-29", "2025-04-30"})
            game.compagno.esegui(!*day ? QStringList{"draws", "show"}
                                       : QStringList{"draws", "show", day},
                                 [&](const Compagno::Risposta &r) {
                                     said << QString::number(r.uscita) + ' ' +
                                                 QJsonDocument::fromJson(r.uscitaStandard)
                                                     .object()["data"]
                                                     .toString() +
                                                 Compagno::motivo(r);
                                 });
        QTRY_COMPARE(said.size(), 3);
        QCOMPARE(said, (QStringList{"0 2025-05-02", "0 2025-04-29",
                                    "2 nell'archivio non c'è un'estrazione del 2025-04-30"}));
    }

    // A list longer than it is tall, taken to its end by the keyboard or by its scroll bar: its
    // last entry, the longest title there is, shows whole at the bottom in the list's plain face,
    // drawn; a click there selects the entry under the pointer, and an entry coming back from
    // the play list leaves that selection where it was.
    void longListKeepsThePlayersPlace_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("End") << true;
        QTest::newRow("scroll bar at its end") << false;
    }
    void longListKeepsThePlayersPlace()
    {
        QFETCH(bool, byKey);
        PartitaDiProva game;
        QByteArray set;
        for (int i = 1; i <= 60; ++i)
            set += ticketRecord(qPrintable(QString("Schedina %1").arg(i)), {i}, {0}, {{0, 100}});
        set += ticketRecord("Sistema del lunedì 1", {1}, {0}, {{0, 100}});
        writeBytes(game.path(), set);
        game.fai({"tab 3", "carica", "> 0"});
        auto *list = game.su<QListView>("lst_esistenti");
        QTRY_VERIFY(list->verticalScrollBar()->maximum() > 0); // laid out once events are seen
        if (byKey)
            QTest::keyClick(list, Qt::Key_End);
        else
            list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
        const QRect last = list->visualRect(list->model()->index(59, 0));
        QVERIFY2(list->viewport()->rect().contains(last), qPrintable(QString::number(last.y())));
        QVERIFY(QFontInfo(list->font()).family() != QFontInfo(stile::comic()).family());
        QVERIFY(list->fontMetrics().horizontalAdvance("Sistema del lunedì 1") + 6 <= last.width());
        const QImage shown = list->viewport()->grab(last).toImage();
        QImage empty(shown.size(), shown.format());
        empty.fill(list->palette().color(QPalette::Base));
        QVERIFY(shown != empty);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          last.center() - QPoint(0, last.height()));
        game.fai({"< 0"});
        const QModelIndexList selected = list->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().data().toString(), "Schedina 60");
    }

    // Titles that differ only at their end read apart in a list, in capitals and wide letters
    // too; the keys select the ticket they land on, the only one of a list included.
    void listsReadWhole_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("capitals") << "TERNO SECCO MILANO 1"
                                  << "TERNO SECCO MILANO 2";
        QTest::newRow("wide letters") << "WWWWWWWWWWWWWWWWWWW1"
                                      << "WWWWWWWWWWWWWWWWWWW2";
        QTest::newRow("as a player writes") << "Sistema del lunedì 1"
                                            << "Sistema del lunedì 2";
    }
    void listsReadWhole()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        PartitaDiProva game;
        writeBytes(game.path(), ticketRecord(qPrintable(first), {1}, {0}, {{0, 100}}) +
                                    ticketRecord(qPrintable(second), {2}, {0}, {{0, 100}}));
        game.fai({"tab 3", "carica", "> 1"});
        auto *list = game.su<QListView>("lst_esistenti");
        QVERIFY(QTest::qWaitForWindowExposed(&game.window));
        const auto row = [&](int r) {
            return list->viewport()->grab(list->visualRect(list->model()->index(r, 0))).toImage();
        };
        game.fai({"< 0"});
        QVERIFY(row(0) != row(1));
        // One ticket left: Tab makes it current, Down selects it.
        game.fai({"> 0"});
        list->setFocus(Qt::TabFocusReason);
        list->selectionModel()->clearSelection();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
    }

    // "Stampa le schedine..." in the File menu, printed into a PDF file by Qt ("annulla": the
    // player cancels the printer's dialog): the pages' text, "|" between them ("-": no file, "*":
    // three pages not compared).
    void printsThePlan_data()
    {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QString>("printed");
        const QString b = "1. B\nNumeri 1 2\nRuote BARI\nGiocate Ambo 3\nCosto 3\n";
        QTest::newRow("nothing chosen: the whole set, as the companion prints it")
            << QStringList{"carica A B Dodici", "menu:mnu_file_stampa"} << "click"
            << "set.slott Pagina 1 di 1\n1. A\nNumeri 1 2\nRuote BARI, GENOVA, ROMA\nGiocate "
               "Estratto 2\nAmbo 3\nCosto 5\n2. B\nNumeri 1 2\nRuote BARI\nGiocate Ambo 3\n"
               "Costo 3\n3. Dodici\nNumeri 45\nRuote BARI, CAGLIARI\nGiocate Estratto 2.3036\n"
               "Costo 2.3036\nTotali\nSchedine 3\nPuntata totale 10.3036";
        QTest::newRow("through Qt's own print dialog, in Italian")
            << QStringList{"carica A B Dodici", "dialogo", "menu:mnu_file_stampa"} << "click"
            << "set.slott Pagina 1 di 1\n1. A\nNumeri 1 2\nRuote BARI, GENOVA, ROMA\nGiocate "
               "Estratto 2\nAmbo 3\nCosto 5\n2. B\nNumeri 1 2\nRuote BARI\nGiocate Ambo 3\n"
               "Costo 3\n3. Dodici\nNumeri 45\nRuote BARI, CAGLIARI\nGiocate Estratto 2.3036\n"
               "Costo 2.3036\nTotali\nSchedine 3\nPuntata totale 10.3036";
        QTest::newRow("the play list only")
            << QStringList{"carica A B C", "> 1", "menu:mnu_file_stampa"} << "click x2"
            << "set.slott Pagina 1 di 1\n" + b + "Totali\nSchedine 1\nPuntata totale 3";
        QTest::newRow("nine tickets on every wheel over three pages")
            << QStringList{"carica T1 T2 T3 T4 T5 T6 T7 T8 T9", ">>", "menu:mnu_file_stampa"}
            << "click x2"
            << "*";
        QTest::newRow("no set: nothing to print")
            << QStringList{"menu:mnu_file_stampa"}
            << "Stampa: Carica prima un file di schedine: non c'è nulla da stampare."
            << "-";
        QTest::newRow("an empty set") << QStringList{"carica", "menu:mnu_file_stampa"}
                                      << "click / Stampa: Il file caricato non ha schedine da "
                                         "stampare."
                                      << "-";
        QTest::newRow("the dialog cancelled")
            << QStringList{"carica A", "annulla", "menu:mnu_file_stampa"} << "click"
            << "-";
    }
    void printsThePlan()
    {
        QFETCH(QStringList, actions);
        QFETCH(QString, told);
        QFETCH(QString, printed);
        PartitaDiProva game;
        carte(game);
        game.detto();
        for (const QString &action : actions)
            action == "annulla"   ? void(game.stampante.annulla = true)
            : action == "dialogo" ? void(game.stampante.dialogoVero = true)
                                  : game.fai({action});
        QCOMPARE(game.detto(), told);
        QCOMPARE(QFile::exists(game.stampante.file), printed != "-");
        if (printed == "-")
            return;
        const LetturaPdf letto = leggiPdf(game.stampante.file);
        QCOMPARE(bloccoDiviso(letto.pagine), QString());
        QCOMPARE(letto.formato, QString("A4"));
        QCOMPARE(letto.facce, QStringList({"DejaVuSansMono", "DejaVuSansMono-Bold"}));
        QCOMPARE(letto.margini, QStringList(letto.pagine.size(), "bianco"));
        if (printed == "*") {
            QCOMPARE(letto.pagine.size(), 3);
            QVERIFY(letto.pagine[2].startsWith("set.slott Pagina 3 di 3\n"));
            QVERIFY(letto.pagine[2].endsWith("Schedine 9\nPuntata totale 45"));
            return;
        }
        QCOMPARE(letto.pagine.join('|'), printed);
        // The companion lays the whole set out alike, but for its decimal comma.
        if (!actions.contains("> 1")) {
            const QString cli = game.path("cli.pdf");
            QCOMPARE(runCli({"print", game.path(), "--pdf", cli}).exitCode, 0);
            QCOMPARE(leggiPdf(cli).pagine.join('|').replace(QRegularExpression("(\\d),(\\d)"),
                                                            "\\1.\\2"),
                     printed);
        }
    }
};

QTEST_MAIN(tst_Form_gioco)
#include "tst_form_gioco.moc"
