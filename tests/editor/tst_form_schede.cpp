#include "support/finestre.h"

namespace {

// The set the editor saves into: a ticket "Prova", and one whose title fills all 20 places.
const QByteArray kSet = provaRecord() + recordWithTitle("Una schedina lunghis");
const char *const kSaved = "Avviso: Schedina salvata  / saved \"Nuova               \" / closed";

} // namespace

// The ticket editor on its own, driven as a player does: keys, clicks and the save.
class tst_Form_schede : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typing_data()
    {
        colonne();
        const QString ten = "0:1, 1:2, 2:3, 3:4, 4:5, 5:6, 6:7, 7:8, 8:9, 9:10, ";
        // Numbers, one to a box, from 1 to 90, without repeats.
        riga("90 taken, 91 refused", "0:90, 1:91, state", "lotto_num_tra_1_e_90 / 90 9 _ | o o",
             kSet);
        riga("00 refused, 05 and 080 taken", "0:00, 1:05, 2:080, state",
             "lotto_num_tra_1_e_90 / 0 05 080 _ | o o o", kSet);
        riga("letters, signs, the comma refused; Enter taken", "0:4a, 1:-7, 2:4,5\r, state",
             "lotto_cifre x3 / 4 7 45 _ | o o o", kSet);
        riga("stakes take digits, not Enter", "stake 0:25x,\r, state", "lotto_cifre x3 / _ | o25",
             kSet);
        riga("a repeat found as its key is released", "0:12, 1:45, 2:33, 3:45, state",
             "lotto_num_esiste / 12 45 33 _ | o o o", kSet);
        riga("a repeat of box 0", "0:45, 1:12, 2:45, state", "lotto_num_esiste / 45 12 _ | o o",
             kSet);
        riga("a one-digit repeat waits for the click", "0:7, 1:8, 2:7, state", "7 8 7 _ | o o o",
             kSet);
        riga("which finds it", "0:7, 1:8, 2:7, click 3, state", "lotto_num_esiste / 7 8 _ | o o",
             kSet);
        riga("a zero found by the click, which goes back", "0:1, 1:0, click 2, state, focus",
             "lotto_num_tra_1_e_90 / 1 _ | o / focus txt_num_1", kSet);
        riga("emptying a box closes the ones after", ten + "del 5, state",
             "1 2 3 4 5 _ | o o o o o", kSet);
        riga("then box 9's number is free again", ten + "del 5, 5:10, state",
             "1 2 3 4 5 10 _ | o o o o o", kSet);
        // Bet types follow the numbers.
        riga("Quaterna needs four numbers", "0:1, 1:2, 2:3, 3:4, state", "1 2 3 4 _ | o o o o",
             kSet);
        riga("a ticked Cinquina stays ticked when closed",
             "0:1, 1:2, 2:3, 3:4, 4:5, bet 4, stake 4:2, del 4, state", "1 2 3 4 _ | o o o o X2",
             kSet);
        riga("a bet type before any number", "bet 0, state", "lotto_nessun_numero / _ | o", kSet);
        riga("unticking a bet type empties its stake", "0:5, bet 0, stake 0:3, bet 0, state",
             "5 _ | o", kSet);
        riga("unticking with no number: refused, the stake kept",
             "0:5, bet 0, stake 0:3, del 0, bet 0, state", "lotto_nessun_numero / _ | o3", kSet);
        riga("a bet type drops a repeated last number, silently", "0:7, 1:7, bet 0, state",
             "7 _ | o", kSet);
        // Wheels, and the clear.
        riga("TUTTE closes the ten", "wheel 0, wheel 10, state", "_ | o | ----------x", kSet);
        riga("TUTTE unticked opens them", "wheel 10, wheel 10, state", "_ | o", kSet);
        riga("Seleziona tutto", "selez, state", "click / _ | o | xxxxxxxxxxo", kSet);
        riga("Deseleziona tutto", "selez, selez, state", "click x2 / _ | o", kSet);
        riga("Pulisci scheda", "title:X, 0:5, 1:6, bet 1, stake 1:2, wheel 3, pulisci, state",
             "click / _ | o", kSet);
        // The save's checks, in their order; with the sounds off each shows its box.
        riga("no title", "0:4, wheel 7, bet 0, stake 0:3, save, state",
             "click / lotto_titolo_schedina / 4 _ | x3 | oooooooxooo", kSet);
        riga("a title of blanks is a title", "mute, title: , save",
             "Errore: Non hai gocato nessun numero", kSet);
        riga("a title in the set, blanks aside", "mute, title: Prova , 0:4, save, focus",
             "Errore: Il titolo della scheda è già esistente, cambialo. / focus txt_titolo", kSet);
        riga("zero in the last box", "mute, title:Nuova, 0:4, 1:0, save, state, focus",
             "Errore: Hai introdotto un numero non compreso tra 1 e 90 / 4 _ | o / focus txt_num_1",
             kSet);
        riga("no wheel", "mute, title:Nuova, 0:4, save", "Errore: Non hai giocato nessuna ruota",
             kSet);
        riga("no bet type", "mute, title:Nuova, 0:4, wheel 7, save",
             "Errore: Almeno una giocata la devi fare", kSet);
        riga("no stake", "mute, title:Nuova, 0:4, wheel 7, bet 0, save",
             "Errore: Hai scelto una giocata ma non hai puntato", kSet);
        riga("no set open any more", "title:Nuova, 0:4, wheel 7, bet 0, stake 0:3, noset, save",
             "click / lott_almeno_un_file", kSet);
        // Activation, and leaving.
        riga("activation and Esci", "punti 12345, activate, punti 7, esci, state, points",
             "click / Compila la tua schedina, hai 12345 punti / closed / points 12345", kSet);
        riga("the Tab key's order", "tabs",
             "r1 r2 r3 r4 r5 r6 r7 r8 r9 r10 r0 selez n0 n1 n2 n3 n4 n5 n6 n7 n8 n9 g0 g1 g2 g3 g4 "
             "p0 p1 p2 p3 p4 salvasche pulisci titolo esci ",
             kSet);
    }
    void typing() { provaSchede(); }

    void saved_data()
    {
        colonne();
        const QString ready = "0:5, wheel 0, bet 0, stake 0:1, save, state, record 3";
        riga("spoken, with accents",
             "title:Perché sì, 0:12, 1:34, 2:56, wheel 3, wheel 9, bet 0, stake 0:2, bet 2, "
             "stake 2:7, save, state, record 3",
             "click / lotto_schedina_salvata / saved \"Perché sì           \" / closed / Perché "
             "sì[12,34,56|3,9|0:2 2:7]",
             kSet);
        riga("TUTTE alone",
             "mute, title:Nuova, 0:5, wheel 0, wheel 10, bet 0, stake 0:1, "
             "save, state, record 3",
             kSaved + QString(" / Nuova[5|10|0:1]"), kSet);
        riga("Seleziona tutto: the ten wheels",
             "mute, title:Nuova, 0:5, selez, bet 0, stake 0:1, save, state, record 3",
             kSaved + QString(" / Nuova[5|0,1,2,3,4,5,6,7,8,9|0:1]"), kSet);
        riga("a ticked Cinquina closed again is played",
             "mute, title:Nuova, 0:1, 1:2, 2:3, 3:4, 4:5, bet 4, stake 4:2, del 4, wheel 0, save, "
             "state, record 3",
             kSaved + QString(" / Nuova[1,2,3,4|0|4:2]"), kSet);
        riga("a zero before the last number passes",
             "mute, title:Nuova, 0:0, 1:5, wheel 0, bet 0, stake 0:1, save, state, record 3",
             kSaved + QString(" / Nuova[0,5|0|0:1]"), kSet);
        riga("over 20 characters: passes, and is cut",
             "mute, title:Una schedina lunghissima, " + ready,
             "Avviso: Schedina salvata  / saved \"Una schedina lunghis\" / closed / Una schedina "
             "lunghis[5|0|0:1]",
             kSet);
        riga("leading blanks kept", "mute, title:  Nuova, " + ready,
             "Avviso: Schedina salvata  / saved \"  Nuova             \" / closed /   "
             "Nuova[5|0|0:1]",
             kSet);
    }
    void saved() { provaSchede(); }
};

QTEST_MAIN(tst_Form_schede)
#include "tst_form_schede.moc"
