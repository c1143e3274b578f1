#include "inserimentonumeri.h"

#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "widgets/campischeda.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>

namespace {

using catalogo::Evento;

// A key that types something into a box: any key that makes a character, Backspace, Enter and
// Escape. Tab, Delete and the navigation and modifier keys keep their ordinary work.
bool isTyped(const QKeyEvent *evento)
{
    switch (evento->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return false;
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return !evento->text().isEmpty();
    }
}

bool isDigit(const QKeyEvent *evento)
{
    const QString testo = evento->text();
    return testo.size() == 1 && testo.at(0) >= u'0' && testo.at(0) <= u'9';
}

} // namespace

InserimentoNumeri::InserimentoNumeri(Modulo &modulo, const CampiScheda &campi,
                                     std::function<bool()> fermo, QObject *genitore)
    : QObject(genitore), m_modulo(modulo), m_campi(campi), m_fermo(std::move(fermo))
{
    azzera();
    for (int i = 0; i < int(campi.txt_num.size()); ++i) {
        QLineEdit *casella = campi.txt_num[i];
        casella->installEventFilter(this);
        connect(casella, &QLineEdit::textChanged, this, [this, i](const QString &testo) {
            if (testo.isEmpty())
                svuotato(i);
        });
    }
    for (QLineEdit *puntata : campi.txt_puntata)
        puntata->installEventFilter(this);
}

int InserimentoNumeri::valore(const QString &testo)
{
    int numero = 0;
    for (QChar c : testo) {
        if (!c.isDigit())
            break;
        numero = std::min(numero * 10 + c.digitValue(), 1000000);
    }
    return numero;
}

void InserimentoNumeri::prendiDaiNumeri()
{
    azzera();
    for (std::size_t i = 0; i < m_campi.txt_num.size(); ++i) {
        const QString testo = m_campi.txt_num[i]->text();
        if (!testo.isEmpty())
            m_valori[i] = valore(testo);
    }
}

bool InserimentoNumeri::eventFilter(QObject *osservato, QEvent *evento)
{
    const auto &numeri = m_campi.txt_num;
    const auto numero = std::find(numeri.begin(), numeri.end(), osservato);
    const int i = numero == numeri.end() ? -1 : int(numero - numeri.begin());
    if (const auto testo = testoNonDigitato(evento)) {
        digita(static_cast<QLineEdit *>(osservato), *testo);
        return true;
    }
    switch (evento->type()) {
    case QEvent::KeyPress:
        return i >= 0 ? tastoNumero(i, static_cast<QKeyEvent *>(evento))
                      : tastoPuntata(static_cast<QKeyEvent *>(evento));
    case QEvent::KeyRelease:
        if (i >= 0 && !static_cast<QKeyEvent *>(evento)->isAutoRepeat())
            rilascioNumero(i);
        return false;
    case QEvent::MouseButtonRelease:
        if (i >= 0)
            clicNumero(i);
        return false;
    default:
        return false;
    }
}

// Text that comes from no typed key: a paste (its keys, or the middle button's selection), a
// drop, or what an input method commits. Events that only prepare a drop are taken too.
std::optional<QString> InserimentoNumeri::testoNonDigitato(QEvent *evento)
{
    switch (evento->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(evento)->matches(QKeySequence::Paste))
            return QApplication::clipboard()->text();
        return std::nullopt;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(evento)->button() != Qt::MiddleButton)
            return std::nullopt;
        return evento->type() == QEvent::MouseButtonRelease
                   ? QApplication::clipboard()->text(QClipboard::Selection)
                   : QString();
    case QEvent::DragEnter:
    case QEvent::DragMove:
        static_cast<QDropEvent *>(evento)->acceptProposedAction();
        return QString();
    case QEvent::Drop: {
        auto *rilascio = static_cast<QDropEvent *>(evento);
        rilascio->acceptProposedAction();
        return rilascio->mimeData()->text();
    }
    case QEvent::InputMethod:
        return static_cast<QInputMethodEvent *>(evento)->commitString();
    default:
        return std::nullopt;
    }
}

// The characters go in one by one as typed keys, each followed by its release, through the
// same rules; at the first one refused the rest is dropped.
void InserimentoNumeri::digita(QLineEdit *casella, const QString &testo)
{
    for (const QChar c : testo) {
        m_rifiutato = false;
        const auto tasto = c.isDigit() ? Qt::Key(Qt::Key_0 + c.digitValue()) : Qt::Key_unknown;
        QKeyEvent pressione(QEvent::KeyPress, tasto, Qt::NoModifier, QString(c));
        QApplication::sendEvent(casella, &pressione);
        if (m_rifiutato)
            return;
        QKeyEvent rilascio(QEvent::KeyRelease, tasto, Qt::NoModifier, QString(c));
        QApplication::sendEvent(casella, &rilascio);
        if (m_rifiutato)
            return;
    }
}

void InserimentoNumeri::rifiuta(Evento evento)
{
    m_rifiutato = true;
    SuonaOMostra(m_modulo, evento);
}

bool InserimentoNumeri::tastoNumero(int i, QKeyEvent *evento)
{
    if (!isTyped(evento) || evento->key() == Qt::Key_Backspace || evento->key() == Qt::Key_Return ||
        evento->key() == Qt::Key_Enter)
        return false;
    QLineEdit *casella = m_campi.txt_num[i];
    if (!isDigit(evento)) {
        rifiuta(Evento::SoloCifre);
        return true;
    }
    if (casella->text().isEmpty())
        return false;
    // A further digit always goes at the end, and only if the number stays from 1 to 90.
    const QString piuLunga = casella->text() + evento->text();
    const int numero = valore(piuLunga);
    if (numero < 1 || numero > 90)
        rifiuta(Evento::NumeroFuoriIntervallo);
    else
        casella->setText(piuLunga);
    Q_EMIT numeriCambiati();
    return true;
}

bool InserimentoNumeri::tastoPuntata(QKeyEvent *evento)
{
    if (!isTyped(evento) || isDigit(evento) || evento->key() == Qt::Key_Backspace)
        return false;
    rifiuta(Evento::SoloCifre);
    return true;
}

void InserimentoNumeri::rilascioNumero(int i)
{
    QLineEdit *casella = m_campi.txt_num[i];
    if (casella->text().isEmpty())
        return;
    if (i <= 8) {
        m_campi.txt_num[i + 1]->setEnabled(true);
        CampiScheda::colora(m_campi.txt_num[i + 1], true);
    }
    m_valori[i] = valore(casella->text());
    // One-digit numbers are compared only when the next box is clicked or a bet type chosen.
    if (i >= 1 && casella->text().size() >= 2 && ripetuto(i))
        riportaRipetuto(i);
    Q_EMIT numeriCambiati();
}

// Clicking into a box checks the box before it.
void InserimentoNumeri::clicNumero(int i)
{
    if (i == 0)
        return;
    const int precedente = i - 1;
    QLineEdit *casella = m_campi.txt_num[precedente];
    if (m_valori[precedente] == 0) {
        rifiuta(Evento::NumeroFuoriIntervallo);
        casella->clear();
        casella->setFocus();
        return;
    }
    m_valori[precedente] = valore(casella->text());
    if (i == 1)
        return;
    if (ripetuto(precedente))
        riportaRipetuto(precedente);
}

bool InserimentoNumeri::ripetuto(int i) const
{
    for (int j = 0; j < int(m_valori.size()); ++j) {
        if (j != i && m_valori[j] == m_valori[i])
            return true;
    }
    return false;
}

void InserimentoNumeri::riportaRipetuto(int i)
{
    rifiuta(Evento::NumeroGiaIntrodotto);
    m_campi.txt_num[i]->clear();
    m_valori[i] = kNessuno;
}

// Emptying a box closes the boxes after it, unless the editor is filling itself or a stored
// ticket is being changed.
void InserimentoNumeri::svuotato(int i)
{
    if (m_fermo())
        return;
    for (std::size_t j = std::size_t(i) + 1; j < m_campi.txt_num.size(); ++j) {
        QLineEdit *casella = m_campi.txt_num[j];
        casella->clear();
        casella->setEnabled(false);
        CampiScheda::colora(casella, false);
    }
    for (std::size_t j = std::size_t(i); j < m_valori.size(); ++j)
        m_valori[j] = kNessuno;
    Q_EMIT numeriCambiati();
}
