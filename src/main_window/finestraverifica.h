#pragma once

#include <QDialog>

class Compagno;
class Partita;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

// "Verifica le schedine...": the loaded set's tickets, all of them or those chosen for play,
// against the real draws of a day (the archive's last unless the player picks another) and of
// the days after it: each win (title, day, wheel, bet types, winnings) and the totals staked and
// won. The wins are the companion's check; the game's points are not touched.
class FinestraVerifica : public QDialog
{
    Q_OBJECT

public:
    FinestraVerifica(const Partita &partita, Compagno &compagno, QWidget *parent);

    // Shown with the archive's last day, and its wins listed at once.
    void mostra();

private:
    void verifica();
    void esito(const QString &testo);

    const Partita &m_partita;
    Compagno &m_compagno;
    QComboBox *m_quali;
    QDateEdit *m_data;
    QSpinBox *m_colpi;
    QPushButton *m_verifica;
    bool m_inCorso = false; // a check or the search for the last day under way
    QTableWidget *m_vincite;
    QLabel *m_totali;
};
