#pragma once

#include "base/currency.h"
#include "storage/schedina.h"
#include "widgets/campischeda.h"
#include "widgets/finestrasecondaria.h"

#include <functional>
#include <optional>

class InserimentoNumeri;
class Modulo;
class Partita;
class QGroupBox;
class QPushButton;
struct ModuloScheda;

// The ticket editor: a new ticket is written here, or a stored one changed, and saved into the
// open set. It is not modal, and is hidden rather than destroyed when the player leaves it. It
// tells its owner what it saved.
class Form_schede : public FinestraSecondaria
{
    Q_OBJECT

public:
    Form_schede(Partita &partita, Modulo &modulo, QWidget *genitore);
    ~Form_schede() override;

public Q_SLOTS:
    // "COMPILA NUOVA SCHEDA": shown and cleared, ready to append a new ticket.
    void nuovaScheda();
    // Takes a stored ticket for modification (empty boxes when there is none to take) and shows
    // itself; the game names the record it changes. The editor's own handlers run as the values
    // change, in their modification-mode behaviour.
    void modifica(const std::optional<Schedina> &scheda);
    // During a modification the save compares the title typed with the ticket's title before
    // it, as whoever showed the ticket has it at that moment.
    void leggiTitoloOriginale(std::function<QString()> titolo);

Q_SIGNALS:
    // A ticket was saved; its stored title goes at the end of the list of existing tickets.
    void schedinaSalvata(const QString &titolo);

protected:
    bool event(QEvent *evento) override;
    void Form_Activate() override;

private:
    void cmd_pulisci_Click();
    void cmd_salvasche_Click();
    void salva();
    void cmd_selez_Click();
    void cmd_esci_Click();
    void chk_giocata_Click(int k);
    void chk_ruote_Click(int i);
    // Number boxes enabled and not empty.
    int attivati() const;
    // Enables each bet type from Ambo on, with its stake box, only when enough numbers are in.
    void aggiorna();

    void creaTitoloENumeri();
    void creaGiocate();
    void creaRuote();
    void creaPulsanti();
    void impostaOrdineFocus();
    void svuota();
    void mostraTitolo();
    QString titoloOriginale() const;
    ModuloScheda moduloCompilato() const;
    bool scrivi(const Schedina &schedina, const ModuloScheda &modulo);

    Partita &m_partita;
    Modulo &m_modulo;
    // The boxes keep the design's names: txt_titolo, txt_num, chk_giocata, txt_puntata,
    // chk_ruote.
    CampiScheda m_campi;
    QPushButton *m_selez = nullptr;
    QPushButton *m_pulisci = nullptr;
    QPushButton *m_salvasche = nullptr;
    QPushButton *m_esci = nullptr;
    QGroupBox *m_frmGiocata = nullptr;
    QGroupBox *m_frmRuote = nullptr;
    InserimentoNumeri *m_numeri = nullptr;
    std::function<QString()> m_titoloOriginale;
    bool m_testiAdattati = false; // captions fitted to their controls at the first show
    bool m_riempimento = false;   // the editor fills or clears itself: its handlers keep still
    bool m_selezionaTutte = true; // what "Seleziona tutto" does next
};
