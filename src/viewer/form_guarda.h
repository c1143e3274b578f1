#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>

class Form_gioco;
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
    form_guarda(Modulo &modulo, Form_gioco *main);

    std::array<QCheckBox *, 11> chk_ruote1;
    QLineEdit *txt_titolo1;
    std::array<QLineEdit *, 10> txt_num1;
    std::array<QCheckBox *, 5> chk_giocata1;
    std::array<QLineEdit *, 5> txt_puntata1;
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

protected:
    bool event(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QGroupBox *cornice(const char *name, const QString &caption, QRect where);
    void creaRuote();
    void creaIntestazione();
    void creaGiocate();
    void creaPulsanti();
    void riempi(const struct Schedina &schedina);
    void passaAllEditor();
    std::optional<std::uint64_t> recordDaModificare();

    Modulo &m_modulo;
    Form_gioco *m_main;
};
