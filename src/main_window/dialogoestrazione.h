#pragma once

#include <QDialog>

#include <array>

class Compagno;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// "Aggiungi un'estrazione...": one day's draw typed by hand, the day and five numbers for each
// wheel drawn (the Nazionale too), added to the archive by the companion with the same checks
// as a line of the published file; its refusal is shown in the dialog, which stays open.
class DialogoEstrazione : public QDialog
{
    Q_OBJECT

public:
    static constexpr std::size_t kRuote = 11; // the game's ten, then the Nazionale

    DialogoEstrazione(Compagno &compagno, QWidget *parent);

Q_SIGNALS:
    // The day, as the dialog showed it, is in the archive.
    void aggiunta(const QString &data);

private:
    void aggiungi();

    Compagno &m_compagno;
    QDateEdit *m_data;
    std::array<std::array<QLineEdit *, 5>, kRuote> m_numeri{};
    QLabel *m_motivo;
    QPushButton *m_aggiungi;
};
