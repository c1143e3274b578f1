#include "support/partitadiprova.h"

namespace {

const QByteArray kPrimo = ticketRecord("Primo", {1}, {0}, {{0, 10000}});
const QByteArray kSecondo = ticketRecord("Secondo", {23, 45, 67}, {1}, {{1, 20000}});
const QByteArray kTerzo = ticketRecord("Terzo", {4}, {2}, {{0, 10000}});
// A ticket that fills every box, shown first so that nothing of it may stay behind.
const QByteArray kPiena =
    ticketRecord("Piena", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
                 {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}});
// Cleared after a whole ticket: the number boxes are greyed, the stake boxes only closed.
const char *const kCleared = "\"\" / _ | o -! -! -! -!";
const char *const kTaken = "Errore: Il titolo della scheda è già esistente, cambialo.";

} // namespace

// The ticket viewer on its own, and the ticket it hands to the editor for a modification.
class tst_Form_guarda : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shows_data()
    {
        colonne();
        const QByteArray five = kPiena + ticketRecord("Righe", {1, 2, 3, 4, 5}, {0}, {{0, 30000}});
        riga("Estratto alone", "showplay:Piena, showplay:Righe, name1, viewer",
             "\"Righe               \" / 1 2 3 4 5 | x3 | xoooooooooo -M", five);
        riga("Estratto and Terno: Ambo open and empty", "showplay:Piena, show:Righe, viewer",
             "1 2 3 | x2 o x2.5 | xoooooooooo",
             kPiena + ticketRecord("Righe", {1, 2, 3}, {0}, {{0, 20000}, {2, 25000}}));
        riga("four numbers on TUTTE", "showplay:Piena, show:Quattro, viewer",
             "11 22 33 44 | x1 | oooooooooox",
             kPiena + ticketRecord("Quattro", {11, 22, 33, 44}, {10}, {{0, 10000}}));
        riga("the first of two with one title", "show:Doppia, viewer", "1 | x1 | xoooooooooo",
             ticketRecord("Doppia", {1}, {0}, {{0, 10000}}) + ticketRecord("Doppia", {2}, {1}, {}));
        riga("titles compared as stored, blanks and all",
             "show:Piena, showraw:Righe, name1, viewer", kCleared, five);
        riga("an empty list", "show:Piena, showraw:, name1, viewer", kCleared, five);
        riga("a click anywhere: the hint, said or written; Escape leaves",
             "showplay:Secondo, hint, mute, hint, escape1, viewer",
             "lotto_clicca_modifica / Avviso: Clicca su modifica per modificare / closed",
             kSecondo);
    }
    void shows() { provaSchede(); }

    void modifica_data()
    {
        colonne();
        const QString hand = "show:Secondo, modifica, viewer, pos, name, state";
        const char *handed = "click / asked / closed / pos %1 / \"Secondo             \" / 23 45 "
                             "67 | o x2 o | oxooooooooo";
        riga("the first whose title matches, blanks aside", hand, QString(handed).arg(1),
             ticketRecord(" Secondo", {9}, {0}, {}) + kSecondo);
        riga("no set open any more: record 1", "show:Secondo, noset, modifica, pos",
             "click / asked / pos 1", kSecondo);
        // Saved: the record written in place, and the list told which entry to take away.
        const QString saved = "Avviso: Schedina salvata  / asked / rewritten \"Secondo\" / ";
        const QString modify = "show:Secondo, modifica, mute, ";
        const QByteArray set = kPrimo + kSecondo + kTerzo;
        riga("a new title", modify + "title:Rinominato, save, pos, record 2",
             "click / " + saved +
                 "saved \"Rinominato          \" / pos 0 / "
                 "Rinominato[23,45,67|1|1:2]",
             set);
        riga("its own numbers are repeats; emptying a box closes none",
             "show:Secondo, modifica, del 1, del 1, 1:23, 1:46, mute, save, record 2",
             "click / lotto_num_esiste / " + saved +
                 "saved \"Secondo             \" / Secondo[23,46,67|1|1:2]",
             set);
        riga("a bet type unticked keeps its stake; the same title with a blank before it",
             modify + "title: Secondo, bet 1, bet 1, save, record 2",
             "click / " + saved + "saved \" Secondo            \" /  Secondo[23,45,67|1|1:2]", set);
        riga("another ticket's title", modify + "title:Terzo, save, pos",
             QString("click / ") + kTaken + " / asked / pos 2", set);
        riga("the viewer shows another ticket meanwhile", modify + "show:Terzo, save, pos",
             QString("click / ") + kTaken + " / asked / pos 2", set);
        riga("a title not found after a ticket: nothing of that ticket handed over",
             "show:Secondo, show:Nessuno, modifica, pos, name, state",
             "click / asked / pos 2 / \"\" / -! | o", kSecondo);
        riga("gone from the set: after the last", "show:Secondo, cut 2, modifica, pos",
             "click / asked / pos 3", kPrimo + kPrimo + kSecondo);
    }
    void modifica() { provaSchede(); }
};

QTEST_MAIN(tst_Form_guarda)
#include "tst_form_guarda.moc"
