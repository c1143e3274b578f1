#include "support/finestre.h"

#include <QSignalSpy>

namespace {

// The set the editor saves into: a ticket "Prova", and one whose title fills all 20 places.
const QByteArray kSet = provaRecord() + recordWithTitle("Una schedina lunghis");

// A row: the player's actions (see compila) separated by commas, what the player was told (see
// Finti::detto) separated by slashes, then the editor's boxes (see stato) or the record saved.
void row(const char *name, const QString &actions, const QString &told, const QVariant &after)
{
    QTest::newRow(name) << actions.split(", ") << told.split(" / ", Qt::SkipEmptyParts) << after;
}

} // namespace

// The ticket editor on its own, driven as a player does: keys, clicks and the save.
class tst_Form_schede : public QObject
{
    Q_OBJECT

    void columns()
    {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QVariant>("after");
    }

private Q_SLOTS:
    void typing_data()
    {
        columns();
        const char *ten = "0:1, 1:2, 2:3, 3:4, 4:5, 5:6, 6:7, 7:8, 8:9, 9:10";
        // Numbers, one to a box, from 1 to 90, without repeats.
        row("9 then 5: 95 refused", "0:95", "lotto_num_tra_1_e_90", "9 _ | o");
        row("90 is the highest", "0:90", "", "90 _ | o");
        row("91 refused", "0:91", "lotto_num_tra_1_e_90", "9 _ | o");
        row("00 refused, 05 and 080 taken", "0:00, 1:05, 2:080", "lotto_num_tra_1_e_90",
            "0 05 080 _ | o o o");
        row("letters, signs and the comma refused; Enter taken", "0:4a, 1:-7, 2:4,5\r",
            "lotto_cifre / lotto_cifre / lotto_cifre", "4 7 45 _ | o o o");
        row("stakes take digits, not Enter", "stake 0:25x,\r",
            "lotto_cifre / lotto_cifre / lotto_cifre", "_ | o25");
        row("a repeat found as its key is released", "0:12, 1:45, 2:33, 3:45", "lotto_num_esiste",
            "12 45 33 _ | o o o");
        row("a repeat of box 0", "0:45, 1:12, 2:45", "lotto_num_esiste", "45 12 _ | o o");
        row("a one-digit repeat waits for the click", "0:7, 1:8, 2:7", "", "7 8 7 _ | o o o");
        row("which finds it", "0:7, 1:8, 2:7, click 3", "lotto_num_esiste", "7 8 _ | o o");
        row("a zero found by the click, which goes back", "0:1, 1:0, click 2, focus",
            "lotto_num_tra_1_e_90 / focus txt_num_1", "1 _ | o");
        row("emptying a box closes the ones after", QString(ten) + ", del 5", "",
            "1 2 3 4 5 _ | o o o o o");
        row("then box 9's number is free again", QString(ten) + ", del 5, 5:10", "",
            "1 2 3 4 5 10 _ | o o o o o");
        // Bet types follow the numbers.
        row("Quaterna needs four numbers", "0:1, 1:2, 2:3, 3:4", "", "1 2 3 4 _ | o o o o");
        row("a ticked Cinquina stays ticked when closed",
            "0:1, 1:2, 2:3, 3:4, 4:5, bet 4, stake 4:2, del 4", "", "1 2 3 4 _ | o o o o X2");
        row("a bet type before any number", "bet 0", "lotto_nessun_numero", "_ | o");
        row("unticking a bet type empties its stake", "0:5, bet 0, stake 0:3, bet 0", "",
            "5 _ | o");
        row("unticking with no number: refused, the stake kept",
            "0:5, bet 0, stake 0:3, del 0, bet 0", "lotto_nessun_numero", "_ | o3");
        row("a bet type drops a repeated last number, silently", "0:7, 1:7, bet 0", "", "7 _ | o");
        // Wheels, and the clear.
        row("TUTTE closes the ten", "wheel 0, wheel 10", "", "_ | o | ----------x");
        row("TUTTE unticked opens them", "wheel 10, wheel 10", "", "_ | o");
        row("Seleziona tutto", "selez", "click", "_ | o | xxxxxxxxxxo");
        row("Deseleziona tutto", "selez, selez", "click / click", "_ | o");
        row("Pulisci scheda", "title:X, 0:5, 1:6, bet 1, stake 1:2, wheel 3, pulisci", "click",
            "_ | o");
        // The save's checks, in their order; with the sounds off each shows its box.
        row("no title, spoken", "save", "click / lotto_titolo_schedina", "_ | o");
        row("no title", "mute, 0:4, wheel 7, bet 0, stake 0:3, save",
            "Errore: Non hai dato un titolo alla schedina", {});
        row("a title of blanks is a title", "mute, title: , save",
            "Errore: Non hai gocato nessun numero", {});
        row("a title in the set, blanks aside", "mute, title: Prova , 0:4, wheel 7, save, focus",
            "Errore: Il titolo della scheda è già esistente, cambialo. / focus txt_titolo", {});
        row("zero in the last box", "mute, title:Nuova, 0:4, 1:0, save, focus",
            "Errore: Hai introdotto un numero non compreso tra 1 e 90 / focus txt_num_1",
            "4 _ | o");
        row("no wheel", "mute, title:Nuova, 0:4, save", "Errore: Non hai giocato nessuna ruota",
            {});
        row("no bet type", "mute, title:Nuova, 0:4, wheel 7, save",
            "Errore: Almeno una giocata la devi fare", {});
        row("no stake", "mute, title:Nuova, 0:4, wheel 7, bet 0, save",
            "Errore: Hai scelto una giocata ma non hai puntato", {});
        row("no set open any more", "title:Nuova, 0:4, wheel 7, bet 0, stake 0:3, noset, save",
            "click / lott_almeno_un_file", {});
    }
    void typing()
    {
        QFETCH(QStringList, actions);
        QFETCH(QStringList, told);
        QFETCH(QVariant, after);
        SchedeDiProva f(kSet);
        QSignalSpy saved(&f.editor, &Form_schede::schedinaSalvata);
        f.fai(actions);
        QCOMPARE(f.detto(), told);
        if (after.isValid())
            QCOMPARE(stato(f.editor.campi), after.toString());
        QVERIFY(f.editor.isVisible());
        QCOMPARE(saved.count(), 0);
        QCOMPARE(readBytes(f.path()), kSet);
        QVERIFY(!QFile::exists(QString::fromUtf8(Modulo::kNessunFile.data())));
    }

    void saved_data()
    {
        columns();
        const char *told = "Avviso: Schedina salvata ";
        row("spoken, with accents",
            "title:Perché sì, 0:12, 1:34, 2:56, wheel 3, wheel 9, bet 0, stake 0:2, bet 2, stake "
            "2:7, "
            "save",
            "click / lotto_schedina_salvata",
            ticketRecord("Perché sì", {12, 34, 56}, {3, 9}, {{0, 20000}, {2, 70000}}));
        row("TUTTE alone", "mute, title:Nuova, 0:5, wheel 0, wheel 10, bet 0, stake 0:1, save",
            told, ticketRecord("Nuova", {5}, {10}, {{0, 10000}}));
        row("Seleziona tutto: the ten wheels",
            "mute, title:Nuova, 0:5, selez, bet 0, stake 0:1, save", told,
            ticketRecord("Nuova", {5}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {{0, 10000}}));
        row("a ticked Cinquina closed again is played",
            "mute, title:Nuova, 0:1, 1:2, 2:3, 3:4, 4:5, bet 4, stake 4:2, del 4, wheel 0, save",
            told, ticketRecord("Nuova", {1, 2, 3, 4}, {0}, {{4, 20000}}));
        row("over 20 characters: passes, and is cut",
            "mute, title:Una schedina lunghissima, 0:5, wheel 0, bet 0, stake 0:1, save", told,
            ticketRecord("Una schedina lunghis", {5}, {0}, {{0, 10000}}));
        row("leading blanks kept", "mute, title:  Nuova, 0:5, wheel 0, bet 0, stake 0:1, save",
            told, ticketRecord("  Nuova", {5}, {0}, {{0, 10000}}));
        row("a zero before the last number passes",
            "mute, title:Nuova, 0:0, 1:5, wheel 0, bet 0, stake 0:1, save", told,
            ticketRecord("Nuova", {0, 5}, {0}, {{0, 10000}}));
    }
    void saved()
    {
        QFETCH(QStringList, actions);
        QFETCH(QStringList, told);
        QFETCH(QVariant, after);
        SchedeDiProva f(kSet);
        QSignalSpy saved(&f.editor, &Form_schede::schedinaSalvata);
        QSignalSpy rewritten(&f.editor, &Form_schede::schedinaRiscritta);
        f.fai(actions);
        QCOMPARE(f.detto(), told);
        QCOMPARE(readBytes(f.path()), kSet + after.toByteArray());
        QCOMPARE(saved.count(), 1);
        QCOMPARE(saved[0][0].toString(), QString::fromLatin1(after.toByteArray().left(20)));
        QCOMPARE(rewritten.count(), 0);
        QVERIFY(!f.editor.isVisible());
    }

    void activationAndEsci()
    {
        SchedeDiProva f(kSet);
        QSignalSpy activated(&f.editor, &Form_schede::attivata);
        f.modulo.punti = *Currency::fromWhole(12345);
        QEvent activation(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&f.editor, &activation);
        QCOMPARE(f.editor.windowTitle(), QString("Compila la tua schedina, hai 12345 punti"));
        QCOMPARE(activated.count(), 1);
        f.modulo.punti = *Currency::fromWhole(7);
        f.fai({"esci"});
        QVERIFY(!f.editor.isVisible());
        QCOMPARE(f.modulo.punti, *Currency::fromWhole(12345));
        QCOMPARE(f.detto(), QStringList{"click"});
    }

    void tabGoesInTheDrawnOrder()
    {
        SchedeDiProva f(kSet);
        QString order;
        for (QWidget *w = f.editor.chk_ruote[1]; order.count(' ') < 36; w = w->nextInFocusChain()) {
            if (w->focusPolicy() != Qt::NoFocus && w->isVisibleTo(&f.editor))
                order += w->objectName().remove("chk_").remove("txt_").remove("cmd_") + ' ';
        }
        QCOMPARE(order, "ruote_1 ruote_2 ruote_3 ruote_4 ruote_5 ruote_6 ruote_7 ruote_8 ruote_9 "
                        "ruote_10 ruote_0 selez num_0 num_1 num_2 num_3 num_4 num_5 num_6 num_7 "
                        "num_8 num_9 giocata_0 giocata_1 giocata_2 giocata_3 giocata_4 puntata_0 "
                        "puntata_1 puntata_2 puntata_3 puntata_4 salvasche pulisci titolo esci ");
    }
};

QTEST_MAIN(tst_Form_schede)
#include "tst_form_schede.moc"
