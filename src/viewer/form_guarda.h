#pragma once

#include "storage/esito.h"
#include "storage/schedina.h"
#include "widgets/campischeda.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>

class Modulo;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The ticket viewer: shows one stored ticket read-only, and hands a ticket of the existing list
// to the editor for modification. One window for the whole run, hidden rather than destroyed.
class form_guarda : public QWidget
{
    Q_OBJECT

public:
    form_guarda(Modulo &modulo, QWidget *parent);

    CampiScheda campi;
    std::array<QCheckBox *, 11> &chk_ruote1 = campi.chk_ruote;
    QLineEdit *&txt_titolo1 = campi.txt_titolo;
    std::array<QLineEdit *, 10> &txt_num1 = campi.txt_num;
    std::array<QCheckBox *, 5> &chk_giocata1 = campi.chk_giocata;
    std::array<QLineEdit *, 5> &txt_puntata1 = campi.txt_puntata;
    QPushButton *cmd_modifica;
    QPushButton *cmd_esci1;
    QPushButton *cmd_pulisci1;

    // Shows the first ticket whose stored title is exactly the list entry; "Modifica" only for
    // a ticket not chosen for play.
    void mostra(const QString &voce, bool modificabile);
    void cmd_pulisci1_Click();
    void cmd_modifica_Click();
    void cmd_esci1_Click();
    void Form_Activate();

Q_SIGNALS:
    // "Modifica" chose the shown ticket's record (now in `pos_modifica`): the editor takes the
    // ticket from these boxes.
    void modificaChiesta();
    // The window became the active one: its owner places it.
    void attivata();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QGroupBox *cornice(const char *name, const QString &caption, QRect where);
    void creaRuote();
    void creaIntestazione();
    void creaGiocate();
    void creaPulsanti();
    void caratteri();
    Esito<std::optional<Schedina>> cerca(const QString &voce);
    void riempi(const Schedina &schedina);
    std::optional<std::uint64_t> recordDaModificare();

    Modulo &m_modulo;
    bool m_testiAdattati = false; // faces set and captions fitted at the first show
};
