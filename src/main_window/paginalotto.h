#pragma once

#include <QGroupBox>

class QLabel;
class ListaSchede;
class QPushButton;

// The "Lotto" page: ticket sets, the two selection lists and the hint line.
class PaginaLotto : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr const char *kMessaggioIniziale =
        "Per iniziare a giocare carica un insieme di schedine oppure creane un insieme nuovo";
    static constexpr const char *kMessaggioDoppioClic =
        "Per visualizzare la schedina fare doppio clic sulla schedina";
    // Followed by the set's path once a set is loaded.
    static constexpr const char *kFileCaricato = "File caricato : ";

    explicit PaginaLotto(QWidget *parent);

    QPushButton *cmd_scheda;
    QPushButton *cmd_carica;
    QPushButton *cmd_newinsie;
    QLabel *lbl_filelottoschede;
    ListaSchede *lst_esistenti;
    ListaSchede *lst_dagioca;
    QPushButton *cmd_all_destra;
    QPushButton *cmd_destra;
    QPushButton *cmd_sinistra;
    QPushButton *cmd_all_sinistra;
    QLabel *lbl_messaggio;

private:
    QPushButton *pulsante(const char *name, const char *caption, int left, int top, int width,
                          int height);
    ListaSchede *lista(const char *name, const char *labelName, const char *caption, int left);
};
