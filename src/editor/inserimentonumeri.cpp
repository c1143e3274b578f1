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
bool isTyped(const QKeyEvent *event)
{
    switch (event->key()) {
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
        return !event->text().isEmpty();
    }
}

bool isDigit(const QKeyEvent *event)
{
    const QString text = event->text();
    return text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9';
}

} // namespace

InserimentoNumeri::InserimentoNumeri(Modulo &modulo, const CampiScheda &campi,
                                     std::function<bool()> fermo, QObject *parent)
    : QObject(parent), m_modulo(modulo), m_campi(campi), m_fermo(std::move(fermo))
{
    azzera();
    for (int i = 0; i < int(campi.txt_num.size()); ++i) {
        QLineEdit *box = campi.txt_num[i];
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, [this, i](const QString &text) {
            if (text.isEmpty())
                svuotato(i);
        });
    }
    for (QLineEdit *stake : campi.txt_puntata)
        stake->installEventFilter(this);
}

int InserimentoNumeri::valore(const QString &text)
{
    int value = 0;
    for (QChar c : text) {
        if (!c.isDigit())
            break;
        value = std::min(value * 10 + c.digitValue(), 1000000);
    }
    return value;
}

void InserimentoNumeri::prendiDaiNumeri()
{
    azzera();
    for (std::size_t i = 0; i < m_campi.txt_num.size(); ++i) {
        const QString text = m_campi.txt_num[i]->text();
        if (!text.isEmpty())
            m_valori[i] = valore(text);
    }
}

bool InserimentoNumeri::eventFilter(QObject *watched, QEvent *event)
{
    const auto &numbers = m_campi.txt_num;
    const auto number = std::find(numbers.begin(), numbers.end(), watched);
    const int i = number == numbers.end() ? -1 : int(number - numbers.begin());
    if (const auto text = testoNonDigitato(event)) {
        digita(static_cast<QLineEdit *>(watched), *text);
        return true;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        return i >= 0 ? tastoNumero(i, static_cast<QKeyEvent *>(event))
                      : tastoPuntata(static_cast<QKeyEvent *>(event));
    case QEvent::KeyRelease:
        if (i >= 0 && !static_cast<QKeyEvent *>(event)->isAutoRepeat())
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
std::optional<QString> InserimentoNumeri::testoNonDigitato(QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste))
            return QApplication::clipboard()->text();
        return std::nullopt;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::MiddleButton)
            return std::nullopt;
        return event->type() == QEvent::MouseButtonRelease
                   ? QApplication::clipboard()->text(QClipboard::Selection)
                   : QString();
    case QEvent::DragEnter:
    case QEvent::DragMove:
        static_cast<QDropEvent *>(event)->acceptProposedAction();
        return QString();
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        drop->acceptProposedAction();
        return drop->mimeData()->text();
    }
    case QEvent::InputMethod:
        return static_cast<QInputMethodEvent *>(event)->commitString();
    default:
        return std::nullopt;
    }
}

// The characters go in one by one as typed keys, each followed by its release, through the
// same rules; at the first one refused the rest is dropped.
void InserimentoNumeri::digita(QLineEdit *box, const QString &text)
{
    for (const QChar c : text) {
        m_rifiutato = false;
        const auto key = c.isDigit() ? Qt::Key(Qt::Key_0 + c.digitValue()) : Qt::Key_unknown;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        if (m_rifiutato)
            return;
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &release);
        if (m_rifiutato)
            return;
    }
}

void InserimentoNumeri::rifiuta(Evento evento)
{
    m_rifiutato = true;
    SuonaOMostra(m_modulo, evento);
}

bool InserimentoNumeri::tastoNumero(int i, QKeyEvent *event)
{
    if (!isTyped(event) || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter)
        return false;
    QLineEdit *box = m_campi.txt_num[i];
    if (!isDigit(event)) {
        rifiuta(Evento::SoloCifre);
        return true;
    }
    if (box->text().isEmpty())
        return false;
    // A further digit always goes at the end, and only if the number stays from 1 to 90.
    const QString longer = box->text() + event->text();
    const int value = valore(longer);
    if (value < 1 || value > 90)
        rifiuta(Evento::NumeroFuoriIntervallo);
    else
        box->setText(longer);
    Q_EMIT numeriCambiati();
    return true;
}

bool InserimentoNumeri::tastoPuntata(QKeyEvent *event)
{
    if (!isTyped(event) || isDigit(event) || event->key() == Qt::Key_Backspace)
        return false;
    rifiuta(Evento::SoloCifre);
    return true;
}

void InserimentoNumeri::rilascioNumero(int i)
{
    QLineEdit *box = m_campi.txt_num[i];
    if (box->text().isEmpty())
        return;
    if (i <= 8) {
        m_campi.txt_num[i + 1]->setEnabled(true);
        CampiScheda::colora(m_campi.txt_num[i + 1], true);
    }
    m_valori[i] = valore(box->text());
    // One-digit numbers are compared only when the next box is clicked or a bet type chosen.
    if (i >= 1 && box->text().size() >= 2 && ripetuto(i))
        riportaRipetuto(i);
    Q_EMIT numeriCambiati();
}

// Clicking into a box checks the box before it.
void InserimentoNumeri::clicNumero(int i)
{
    if (i == 0)
        return;
    const int previous = i - 1;
    QLineEdit *box = m_campi.txt_num[previous];
    if (m_valori[previous] == 0) {
        rifiuta(Evento::NumeroFuoriIntervallo);
        box->clear();
        box->setFocus();
        return;
    }
    m_valori[previous] = valore(box->text());
    if (i == 1)
        return;
    if (ripetuto(previous))
        riportaRipetuto(previous);
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
        QLineEdit *box = m_campi.txt_num[j];
        box->clear();
        box->setEnabled(false);
        CampiScheda::colora(box, false);
    }
    for (std::size_t j = std::size_t(i); j < m_valori.size(); ++j)
        m_valori[j] = kNessuno;
    Q_EMIT numeriCambiati();
}
