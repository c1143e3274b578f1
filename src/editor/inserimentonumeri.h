#pragma once

#include "messaggi/catalogo.h"

#include <QObject>

#include <array>
#include <functional>
#include <optional>

class Modulo;
class QKeyEvent;
struct CampiScheda;
class QLineEdit;

// How numbers and stakes are typed in the editor: digits only, numbers from 1 to 90 filled from
// left to right without repeats, checked as keys are typed and released and as the player
// clicks into the next box. It keeps the value last taken from each box.
class InserimentoNumeri : public QObject
{
    Q_OBJECT

public:
    // fermo: while it says so (the editor filling itself, a stored ticket being changed), an
    // emptied box leaves the boxes after it as they are.
    InserimentoNumeri(Modulo &modulo, const CampiScheda &campi, std::function<bool()> fermo,
                      QObject *genitore);

    static constexpr int kNessuno = -1;
    // The value last taken from each box; kNessuno for none.
    const std::array<int, 11> &valori() const { return m_valori; }
    void dimentica(std::size_t i) { m_valori[i] = kNessuno; }

    void azzera() { m_valori.fill(kNessuno); }
    // A ticket handed over for modification: each slot takes its box's number, so repeats are
    // caught against the ticket's real numbers.
    void prendiDaiNumeri();

    // The number a text stands for: its digits; an empty text is 0.
    static int valore(const QString &testo);

Q_SIGNALS:
    // The count of numbers may have changed: the bet types follow it.
    void numeriCambiati();

protected:
    bool eventFilter(QObject *osservato, QEvent *evento) override;

private:
    static std::optional<QString> testoNonDigitato(QEvent *evento);
    void digita(QLineEdit *casella, const QString &testo);
    void rifiuta(catalogo::Evento evento);
    bool tastoNumero(int i, QKeyEvent *evento);
    void rilascioNumero(int i);
    void clicNumero(int i);
    bool tastoPuntata(QKeyEvent *evento);
    void svuotato(int i);
    bool ripetuto(int i) const;
    void riportaRipetuto(int i);

    Modulo &m_modulo;
    const CampiScheda &m_campi;
    std::function<bool()> m_fermo;
    std::array<int, 11> m_valori;
    bool m_rifiutato = false; // the last key was refused
};
