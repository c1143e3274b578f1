#pragma once

#include "shared/currency.h"

#include <QWidget>

#include <array>

class Form_gioco;
class InserimentoNumeri;
class Modulo;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct ModuloScheda;
struct Schedina;

// The ticket editor: a new ticket is written here, or a stored one changed, and saved into the
// open set. It is not modal, and is hidden rather than destroyed when the player leaves it.
class Form_schede : public QWidget
{
    Q_OBJECT

public:
    Form_schede(Modulo &modulo, Form_gioco *main);

    QLineEdit *txt_titolo;
    std::array<QLineEdit *, 10> txt_num;
    std::array<QCheckBox *, 5> chk_giocata;
    std::array<QLineEdit *, 5> txt_puntata;
    std::array<QCheckBox *, 11> chk_ruote;
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

    // Number boxes enabled and not empty.
    int attivati() const;
    // Enables each bet type from Ambo on, with its stake box, only when enough numbers are in.
    void aggiorna();
    // Number boxes are white when usable and grey when not; the colour is set on its own.
    static void colora(QLineEdit *box, bool white);

    InserimentoNumeri *numeri() const { return m_numeri; }
    Modulo &modulo() const { return m_modulo; }

protected:
    bool event(QEvent *event) override;

private:
    void creaTitoloENumeri();
    void creaGiocate();
    void creaRuote();
    void creaPulsanti();
    void impostaOrdineFocus();
    void svuota();
    ModuloScheda moduloCompilato() const;
    bool scrivi(const Schedina &schedina);

    Modulo &m_modulo;
    Form_gioco *m_main;
    InserimentoNumeri *m_numeri;
    QGroupBox *m_frmGiocata = nullptr;
    QGroupBox *m_frmRuote = nullptr;
};
