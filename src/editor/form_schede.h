#pragma once

#include "base/currency.h"
#include "storage/esito.h"
#include "widgets/campischeda.h"

#include <QWidget>

#include <array>

class InserimentoNumeri;
class Modulo;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
struct ModuloScheda;
struct Schedina;

// The ticket editor: a new ticket is written here, or a stored one changed, and saved into the
// open set. It is not modal, and is hidden rather than destroyed when the player leaves it.
// It reads the viewer's boxes (the ticket handed over, and its title before the change) and
// tells its owner what it saved.
class Form_schede : public QWidget
{
    Q_OBJECT

public:
    Form_schede(Modulo &modulo, const CampiScheda &visore, QWidget *parent);
    ~Form_schede() override;

    CampiScheda campi;
    QLineEdit *&txt_titolo = campi.txt_titolo;
    std::array<QLineEdit *, 10> &txt_num = campi.txt_num;
    std::array<QCheckBox *, 5> &chk_giocata = campi.chk_giocata;
    std::array<QLineEdit *, 5> &txt_puntata = campi.txt_puntata;
    std::array<QCheckBox *, 11> &chk_ruote = campi.chk_ruote;
    QPushButton *cmd_selez;
    QPushButton *cmd_pulisci;
    QPushButton *cmd_salvasche;
    QPushButton *cmd_esci;
    Currency punti_iniziali; // the points when the window was last activated

    void cmd_pulisci_Click();
    void cmd_salvasche_Click();
    void cmd_selez_Click();
    void cmd_esci_Click();
    void chk_giocata_Click(int k);
    void chk_ruote_Click(int i);
    void Form_Activate();

    // Takes the ticket shown in the viewer's boxes for modification; the editor's own handlers
    // run as the values change, in their modification-mode behaviour.
    void prendiDalVisore();

    // Number boxes enabled and not empty.
    int attivati() const;
    // Enables each bet type from Ambo on, with its stake box, only when enough numbers are in.
    void aggiorna();

    InserimentoNumeri *numeri() const { return m_numeri; }
    Modulo &modulo() const { return m_modulo; }

Q_SIGNALS:
    // A changed ticket was written over its record: its old entry leaves the list of existing
    // tickets (the entry whose trimmed title is this one, trimmed).
    void schedinaRiscritta(const QString &titoloVecchio);
    // A ticket was saved; its stored title goes at the end of the list of existing tickets.
    void schedinaSalvata(const QString &titolo);
    // The window became the active one: its owner places it.
    void attivata();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void creaTitoloENumeri();
    void creaGiocate();
    void creaRuote();
    void creaPulsanti();
    void impostaOrdineFocus();
    void svuota();
    ModuloScheda moduloCompilato() const;
    bool scrivi(const Schedina &schedina);
    Esito<bool> scriviSottoBlocco(const Schedina &schedina) const;

    Modulo &m_modulo;
    bool m_testiAdattati = false; // captions fitted to their controls at the first show
    const CampiScheda &m_visore;
    InserimentoNumeri *m_numeri;
    QGroupBox *m_frmGiocata = nullptr;
    QGroupBox *m_frmRuote = nullptr;
};
