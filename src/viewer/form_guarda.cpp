#include "form_guarda.h"

#include "base/codepage1252.h"
#include "base/lotto.h"
#include "engine/partita.h"
#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "storage/insiemeschede.h"
#include "widgets/immagine.h"
#include "widgets/nelturno.h"
#include "widgets/stilegioco.h"
#include "widgets/testonumero.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstring>

namespace {

using catalogo::Evento;

// Read-only without greying: the control keeps its own enabled look, but no click, key or focus
// reaches it, and a click goes on to the window.
template <typename Control>
Control *soloLettura(Control *control)
{
    control->setAttribute(Qt::WA_TransparentForMouseEvents);
    control->setFocusPolicy(Qt::NoFocus);
    return control;
}

} // namespace

form_guarda::form_guarda(const Partita &partita, Modulo &modulo, QWidget *parent)
    : FinestraSecondaria(parent), m_partita(partita), m_modulo(modulo)
{
    setObjectName(QStringLiteral("form_guarda"));
    // No caption: an empty one would make the desktop show the program's name instead.
    setWindowTitle(QStringLiteral(" "));
    setAccessibleName(QStringLiteral("Visualizza schedina"));
    // Until the viewer is first shown it measures its controls in the main window's face, so
    // that a viewer that stays hidden loads no face of its own.
    setFont(stile::comic());
    setFixedSize(twips(5145), twips(4665));
    CampiScheda::sfondo(this);
    creaRuote();
    creaIntestazione();
    creaGiocate();
    creaPulsanti();
    cmd_pulisci1_Click();
}

QGroupBox *form_guarda::cornice(const char *name, const QString &caption, QRect where)
{
    auto *frame = soloLettura(new QGroupBox(caption, this));
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(where);
    return frame;
}

void form_guarda::creaRuote()
{
    QGroupBox *frame =
        cornice("frmRuote1", QStringLiteral("Ruote giocate"), twipsRect(0, 0, 1215, 4215));
    for (int i = 0; i < 11; ++i) {
        auto *wheel = soloLettura(new QCheckBox(testoQt(lotto::kNomiRuote[std::size_t(i)]), frame));
        wheel->setObjectName(QStringLiteral("chk_ruote1_%1").arg(i));
        wheel->setGeometry(twipsRect(45, 240 + 360 * i, 1170, 255));
        m_campi.chk_ruote[std::size_t(i)] = wheel;
    }
}

void form_guarda::creaIntestazione()
{
    QGroupBox *frame = cornice("frm_intestazione", QString(), twipsRect(1200, 0, 3975, 1695));
    auto *title = new QLabel(QStringLiteral("Titolo scheda:"), frame);
    title->setObjectName(QStringLiteral("lbl_titolo1"));
    title->move(twips(120), twips(120));
    QLineEdit *titleBox = soloLettura(new QLineEdit(frame));
    titleBox->setObjectName(QStringLiteral("txt_titolo1"));
    titleBox->setAccessibleName(QStringLiteral("Titolo scheda"));
    titleBox->setReadOnly(true);
    titleBox->setGeometry(twipsRect(120, 480, 3015, 285));
    m_campi.txt_titolo = titleBox;
    auto *numbers = new QLabel(QStringLiteral("I numeri giocati"), frame);
    numbers->setObjectName(QStringLiteral("lbl_numeri1"));
    numbers->move(twips(120), twips(840));
    for (int i = 0; i < 10; ++i) {
        auto *box = soloLettura(new QLineEdit(frame));
        box->setObjectName(QStringLiteral("txt_num1_%1").arg(i));
        box->setAccessibleName(QStringLiteral("Numero giocato %1").arg(i + 1));
        box->setReadOnly(true);
        box->setAlignment(Qt::AlignCenter);
        box->setGeometry(twipsRect(360 * i, 1200, 375, 375));
        m_campi.txt_num[std::size_t(i)] = box;
    }
}

void form_guarda::creaGiocate()
{
    QGroupBox *frame = cornice("frm_giocata1", QStringLiteral("Ecco le giocate e relative puntate"),
                               twipsRect(1200, 1680, 3975, 2535));
    for (int k = 0; k < 5; ++k) {
        const QString name = testoQt(lotto::kNomiGiocate[std::size_t(k)]);
        auto *bet = soloLettura(new QCheckBox(name, frame));
        bet->setObjectName(QStringLiteral("chk_giocata1_%1").arg(k));
        bet->setGeometry(twipsRect(120, 240 + 360 * k, 1095, 375));
        m_campi.chk_giocata[std::size_t(k)] = bet;
        auto *stake = soloLettura(new QLineEdit(frame));
        stake->setObjectName(QStringLiteral("txt_puntata1_%1").arg(k));
        stake->setAccessibleName(QStringLiteral("Puntata su ") + name);
        stake->setReadOnly(true);
        stake->setGeometry(twipsRect(1200, 300 + 360 * k, 2655, 285));
        m_campi.txt_puntata[std::size_t(k)] = stake;
    }
}

void form_guarda::creaPulsanti()
{
    m_modifica = new QPushButton(QStringLiteral("Modifica"), this);
    m_modifica->setObjectName(QStringLiteral("cmd_modifica"));
    m_modifica->setGeometry(twipsRect(0, 4200, 1215, 465));
    m_esci = new QPushButton(QStringLiteral("Esci"), this);
    m_esci->setObjectName(QStringLiteral("cmd_esci1"));
    m_esci->setGeometry(twipsRect(1200, 4200, 3945, 465));
    // The viewer's clear routine has a button of its own that is never shown.
    auto *clear = new QPushButton(QStringLiteral("Pulisci scheda"), this);
    clear->setObjectName(QStringLiteral("cmd_pulisci1"));
    clear->setGeometry(m_modifica->geometry());
    clear->setVisible(false);
    for (auto [b, gestore] : {std::pair{m_modifica, &form_guarda::cmd_modifica_Click},
                              {m_esci, &form_guarda::cmd_esci1_Click},
                              {clear, &form_guarda::cmd_pulisci1_Click}})
        connect(b, &QPushButton::clicked, this, nelTurno(m_modulo, this, gestore));
    stile::pulsantiConInvio(this);
    esceCon(m_esci);
}

// The faces the viewer was drawn with, set when it is first shown: the window's bold italic
// hand-written face, the plain face of the frames, a smaller one for the narrow wheel column,
// and the two headings'; then the captions that would not fit shrink.
void form_guarda::caratteri()
{
    QFont window = stile::comic();
    window.setPointSizeF(stile::punti(9.75));
    window.setBold(true);
    window.setItalic(true);
    setFont(window);
    for (QGroupBox *frame : findChildren<QGroupBox *>())
        frame->setFont(stile::sansSerif());
    m_esci->setFont(stile::sansSerif());
    // The narrow column was drawn for a narrower face than the desktop's sans serif.
    QFont narrow = stile::sansSerif();
    narrow.setPointSizeF(stile::punti(7.5));
    for (QCheckBox *wheel : m_campi.chk_ruote)
        wheel->setFont(narrow);
    auto *title = findChild<QLabel *>(QStringLiteral("lbl_titolo1"));
    title->setFont(stile::comic(12));
    title->adjustSize();
    QFont bold = stile::comic();
    bold.setPointSizeF(stile::punti(9.75));
    bold.setBold(true);
    auto *numbers = findChild<QLabel *>(QStringLiteral("lbl_numeri1"));
    numbers->setFont(bold);
    numbers->adjustSize();
    stile::adattaTesti(this);
}

void form_guarda::cmd_pulisci1_Click()
{
    m_campi.svuota();
    m_mostrata.reset();
}

void form_guarda::mostra(const QString &voce, bool modificabile)
{
    show();
    raise();
    cmd_pulisci1_Click();
    m_modifica->setVisible(modificabile);
    // The keyboard starts on the first button shown.
    (modificabile ? m_modifica : m_esci)->setFocus();
    activateWindow();
    const auto found =
        m_partita.cerca(CodePage1252::encodeExactly(voce.toStdString()).value_or(""));
    if (!found)
        return MostraErroreFile(m_modulo, found.errore());
    if (const auto &trovata = found.valore()) {
        riempi(trovata->scheda);
        m_mostrata = trovata;
    }
}

void form_guarda::riempi(const Schedina &s)
{
    auto &[txt_titolo1, txt_num1, chk_giocata1, txt_puntata1, chk_ruote1] = m_campi;
    txt_titolo1->setText(QString::fromStdString(s.titoloTesto()));
    for (std::size_t i = 0; i < chk_ruote1.size(); ++i)
        chk_ruote1[i]->setChecked(s.ruote[i] == 1);
    for (std::size_t i = 0; i < txt_num1.size(); ++i) {
        const bool used = s.numeri[i] > 0;
        txt_num1[i]->setEnabled(used);
        txt_num1[i]->setText(used ? QString::number(s.numeri[i]) : QString());
        CampiScheda::colora(txt_num1[i], used);
    }
    // Rows up to the highest bet type played from Ambo on stay open even when not played.
    std::size_t highest = 5;
    while (highest > 0 && s.giocate[highest] != 1)
        --highest;
    for (std::size_t j = 0; j < chk_giocata1.size(); ++j) {
        const bool played = s.giocate[j] > 0;
        const bool open = played || j <= highest;
        chk_giocata1[j]->setEnabled(open);
        chk_giocata1[j]->setChecked(played);
        txt_puntata1[j]->setEnabled(open);
        CampiScheda::colora(txt_puntata1[j], open);
        txt_puntata1[j]->setText(played ? testoNumero(s.puntate[j]) : QString());
    }
}

void form_guarda::cmd_modifica_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] {
        const auto record = recordDaModificare();
        if (!record)
            return;
        hide();
        Q_EMIT modificaChiesta(*record,
                               m_mostrata ? std::optional(m_mostrata->scheda) : std::nullopt);
    });
}

// The first record with the shown title, trimmed; with none, the record after the last, where
// the save will write the ticket. Without a set there is no file to look in, and the editor's
// save will tell the player.
std::optional<std::uint64_t> form_guarda::recordDaModificare()
{
    if (!m_partita.insiemeAperto())
        return 1;
    const InsiemeSchede insieme(*m_partita.insieme());
    const auto found = insieme.trovaPerTitolo(titolo().toStdString());
    const auto count = found ? insieme.conta() : Esito<std::uint64_t>(found.errore());
    if (!count) {
        MostraErroreFile(m_modulo, count.errore());
        return std::nullopt;
    }
    return found.valore().value_or(count.valore() + 1);
}

QString form_guarda::titolo() const
{
    return m_mostrata ? QString::fromStdString(m_mostrata->scheda.titoloTesto()) : QString();
}

void form_guarda::cmd_esci1_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] { hide(); });
}

bool form_guarda::event(QEvent *event)
{
    if (event->type() == QEvent::Show && !m_testiAdattati) {
        m_testiAdattati = true;
        caratteri();
    }
    return FinestraSecondaria::event(event);
}

// A click anywhere but on the buttons, frames and boxes included, tells how to change the
// ticket.
void form_guarda::mouseReleaseEvent(QMouseEvent *)
{
    SuonaOMostra(m_modulo, Evento::VisoreCliccaModifica);
}

// The viewer lives for the whole run: closing it from its title bar only hides it.
void form_guarda::closeEvent(QCloseEvent *event)
{
    event->ignore();
    hide();
}
