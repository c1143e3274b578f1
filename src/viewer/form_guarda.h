#pragma once

#include "engine/partita.h"
#include "storage/schedina.h"
#include "widgets/campischeda.h"
#include "widgets/finestrasecondaria.h"

#include <cstdint>
#include <optional>

class Modulo;
class QGroupBox;
class QPushButton;

// The ticket viewer: shows one stored ticket read-only, and hands a ticket of the existing list
// to the editor for modification. One window for the whole run, hidden rather than destroyed.
class form_guarda : public FinestraSecondaria
{
    Q_OBJECT

public:
    form_guarda(const Partita &partita, Modulo &modulo, QWidget *genitore);

    // Shows the first ticket whose stored title is exactly the list entry; "Modifica" only for
    // a ticket not chosen for play.
    void mostra(const QString &voce, bool modificabile);
    // The title of the ticket shown; empty when none is. During a modification, the editor's
    // save takes it as the ticket's title before the change.
    QString titolo() const;

Q_SIGNALS:
    // "Modifica": the record of the first ticket with the shown title, blanks aside (or the
    // record after the set's last), and the ticket shown, for the editor to change.
    void modificaChiesta(std::uint64_t record, const std::optional<Schedina> &scheda);

protected:
    bool event(QEvent *evento) override;
    void mouseReleaseEvent(QMouseEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;

private:
    void cmd_pulisci1_Click();
    void cmd_modifica_Click();
    void cmd_esci1_Click();

    QGroupBox *cornice(const char *nome, const QString &didascalia, QRect dove);
    void creaRuote();
    void creaIntestazione();
    void creaGiocate();
    void creaPulsanti();
    void caratteri();
    void riempi(const Schedina &schedina);
    std::optional<std::uint64_t> recordDaModificare();

    const Partita &m_partita;
    Modulo &m_modulo;
    // The boxes keep the design's names with a 1 after them: chk_ruote1, txt_titolo1,
    // txt_num1, chk_giocata1, txt_puntata1.
    CampiScheda m_campi;
    QPushButton *m_modifica = nullptr;
    QPushButton *m_esci = nullptr;
    std::optional<Partita::Trovata> m_mostrata; // the ticket the boxes show, if any
    bool m_testiAdattati = false;               // faces set and captions fitted at the first show
};
