#include "support/partitadiprova.h"

namespace {

// The set the editor saves into: a ticket "Prova", and one whose title fills all 20 places.
const QByteArray kSet = provaRecord() + recordWithTitle("Una schedina lunghis");
const char *const kSaved = "Avviso: Schedina salvata  / saved \"Nuova               \" / closed";

void row(const char *name, const QString &actions, const QString &told)
{
    riga(name, actions, told, kSet);
}

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
        row("90 taken, 91 refused", "0:90, 1:91, state", "lotto_num_tra_1_e_90 / 90 9 _ | o o");
        row("00 refused, 05 and 080 taken", "0:00, 1:05, 2:080, state",
            "lotto_num_tra_1_e_90 / 0 05 080 _ | o o o");
        row("letters, signs, the comma, Escape refused; Enter taken",
            "0:4a, 1:-7, 2:4,5\r, 3:\x1b, state", "lotto_cifre x4 / 4 7 45 _ | o o o");
        row("stakes take digits, not Enter nor Escape", "stake 0:25x,\r\x1b, state",
            "lotto_cifre x4 / _ | o25");
        row("a paste goes in as typed keys", "paste 0:12, paste 1:95, state",
            "lotto_num_tra_1_e_90 / 12 9 _ | o o");
        row("a paste stops at its first refused character", "paste 0:1x2y, paste s0:2z9, state",
            "lotto_cifre x2 / 1 _ | o2");
        row("a title the set cannot hold, as it will be stored", "title:Łódź 日本, name",
            "\"?ód? ??\"");
        row("a repeat found as its key is released", "0:12, 1:45, 2:33, 3:45, state",
            "lotto_num_esiste / 12 45 33 _ | o o o");
        row("a repeat of box 0", "0:45, 1:12, 2:45, state", "lotto_num_esiste / 45 12 _ | o o");
        row("a one-digit repeat found by the click into the next box",
            "0:7, 1:8, 2:7, click 3, state", "lotto_num_esiste / 7 8 _ | o o");
        row("a zero found by the click, which goes back", "0:1, 1:0, click 2, state, focus",
            "lotto_num_tra_1_e_90 / 1 _ | o / focus txt_num_1");
        row("each number opens the next box, up to the tenth", ten + "state",
            "1 2 3 4 5 6 7 8 9 10 | o o o o o");
        row("emptying a box closes the ones after", ten + "del 5, state",
            "1 2 3 4 5 _ | o o o o o");
        row("then box 9's number is free again", ten + "del 5, 5:10, state",
            "1 2 3 4 5 10 _ | o o o o o");
        // Bet types follow the numbers.
        row("a ticked Cinquina stays ticked when closed",
            "0:1, 1:2, 2:3, 3:4, 4:5, bet 4, stake 4:2, del 4, state", "1 2 3 4 _ | o o o o X2");
        row("a bet type before any number", "bet 0, state", "lotto_nessun_numero / _ | o");
        row("unticking a bet type empties its stake", "0:5, bet 0, stake 0:3, bet 0, state",
            "5 _ | o");
        row("unticking with no number: refused, the stake kept",
            "0:5, bet 0, stake 0:3, del 0, bet 0, state", "lotto_nessun_numero / _ | o3");
        row("a bet type drops a repeated last number, silently", "0:7, 1:7, bet 0, state",
            "7 _ | o");
        // Wheels, and the clear.
        row("TUTTE closes the ten", "wheel 0, wheel 10, state", "_ | o | ----------x");
        row("TUTTE unticked opens them", "wheel 10, wheel 10, state", "_ | o");
        row("Seleziona tutto", "selez, state", "click / _ | o | xxxxxxxxxxo");
        row("Pulisci scheda", "title:X, 0:5, 1:6, bet 1, stake 1:2, wheel 3, pulisci, state",
            "click / _ | o");
        // The save's checks, in their order; with the sounds off each shows its box.
        row("no title", "0:4, wheel 7, bet 0, stake 0:3, save, state",
            "click / lotto_titolo_schedina / 4 _ | x3 | oooooooxooo");
        row("a title of blanks is a title", "mute, title: , save",
            "Errore: Non hai gocato nessun numero");
        row("a title in the set, blanks aside", "mute, title: Prova , 0:4, save, focus",
            "Errore: Il titolo della scheda è già esistente, cambialo. / focus txt_titolo");
        row("zero in the last box", "mute, title:Nuova, 0:4, 1:0, save, state, focus",
            "Errore: Hai introdotto un numero non compreso tra 1 e 90 / 4 _ | o / focus txt_num_1");
        row("no wheel", "mute, title:Nuova, 0:4, save", "Errore: Non hai giocato nessuna ruota");
        row("no bet type", "mute, title:Nuova, 0:4, wheel 7, save",
            "Errore: Almeno una giocata la devi fare");
        row("no stake", "mute, title:Nuova, 0:4, wheel 7, bet 0, save",
            "Errore: Hai scelto una giocata ma non hai puntato");
        row("no set open any more", "title:Nuova, 0:4, wheel 7, bet 0, stake 0:3, noset, save",
            "click / lott_almeno_un_file");
        // Activation, and leaving.
        // The caption names the points on activation; leaving takes and gives nothing.
        row("activation and Esci", "punti 12345, activate:editor, punti 7, esci, state, points",
            "click / Compila la tua schedina, hai 12345 punti / closed / points 7");
        row("Escape leaves as Esci does", "escape, state", "click / closed");
    }
    void typing() { provaSchede(); }

    void saved_data()
    {
        colonne();
        const QString ready = "0:5, wheel 0, bet 0, stake 0:1, save, state, record 3";
        row("spoken, with accents",
            "title:Perché sì, 0:12, 1:34, 2:56, wheel 3, wheel 9, bet 0, stake 0:2, bet 2, "
            "stake 2:7, save, state, record 3",
            "click / lotto_schedina_salvata / saved \"Perché sì           \" / closed / Perché "
            "sì[12,34,56|3,9|0:2 2:7]");
        row("TUTTE alone",
            "mute, title:Nuova, 0:5, wheel 0, wheel 10, bet 0, stake 0:1, "
            "save, state, record 3",
            kSaved + QString(" / Nuova[5|10|0:1]"));
        row("Seleziona tutto: the ten wheels",
            "mute, title:Nuova, 0:5, selez, bet 0, stake 0:1, save, state, record 3",
            kSaved + QString(" / Nuova[5|0,1,2,3,4,5,6,7,8,9|0:1]"));
        row("a ticked Cinquina closed again is played",
            "mute, title:Nuova, 0:1, 1:2, 2:3, 3:4, 4:5, bet 4, stake 4:2, del 4, wheel 0, save, "
            "state, record 3",
            kSaved + QString(" / Nuova[1,2,3,4|0|4:2]"));
        row("a zero before the last number passes",
            "mute, title:Nuova, 0:0, 1:5, wheel 0, bet 0, stake 0:1, save, state, record 3",
            kSaved + QString(" / Nuova[0,5|0|0:1]"));
        row("over 20 characters: passes, and is cut",
            "mute, title:Una schedina lunghissima, " + ready,
            "Avviso: Schedina salvata  / saved \"Una schedina lunghis\" / closed / Una schedina "
            "lunghis[5|0|0:1]");
        // Another program writes meanwhile: the title looked for again, the lock waited for.
        row("the title saved by another writer meanwhile",
            "mute, title:Nuova, rival:Nuova, " + ready,
            "Errore: Il titolo della scheda è già esistente, cambialo. / 5 _ | x1 | xoooooooooo / "
            "Nuova[9|1|0:1]");
        row("the set held too long by another writer",
            "mute, title:Nuova, rival:, 0:5, wheel 0, bet 0, stake 0:1, save, state",
            "Errore: Il file delle schedine è in uso da un altro programma / 5 _ | x1 | "
            "xoooooooooo");
        row("leading blanks kept", "mute, title:  Nuova, " + ready,
            "Avviso: Schedina salvata  / saved \"  Nuova             \" / closed /   "
            "Nuova[5|0|0:1]");
        riga("a stored stake with decimals: a fifth refused, then saved as it was",
             "show:Fraz, modifica, mute, stake 0:6, save, stake 0:\b, save, record 1",
             "click / Errore: La puntata su Estratto ha 5 decimali: una puntata ne tiene al massimo"
             " 4 / Avviso: Schedina salvata  / asked / rewritten \"Fraz\" / saved "
             "\"Fraz                \" / Fraz[5|0|0:1.2345]",
             ticketRecord("Fraz", {5}, {0}, {{0, 12345}}));
    }
    void saved() { provaSchede(); }
};

QTEST_MAIN(tst_Form_schede)
#include "tst_form_schede.moc"
