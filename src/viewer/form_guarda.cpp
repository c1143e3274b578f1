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
Control *soloLettura(Control *controllo)
{
    controllo->setAttribute(Qt::WA_TransparentForMouseEvents);
    controllo->setFocusPolicy(Qt::NoFocus);
    return controllo;
}

} // namespace

form_guarda::form_guarda(const Partita &partita, Modulo &modulo, QWidget *genitore)
    : FinestraSecondaria(genitore), m_partita(partita), m_modulo(modulo)
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

QGroupBox *form_guarda::cornice(const char *nome, const QString &didascalia, QRect dove)
{
    auto *riquadro = soloLettura(new QGroupBox(didascalia, this));
    riquadro->setObjectName(QString::fromLatin1(nome));
    riquadro->setGeometry(dove);
    return riquadro;
}

void form_guarda::creaRuote()
{
    QGroupBox *riquadro =
        cornice("frmRuote1", QStringLiteral("Ruote giocate"), twipsRect(0, 0, 1215, 4215));
    for (int i = 0; i < 11; ++i) {
        auto *ruota =
            soloLettura(new QCheckBox(testoQt(lotto::kNomiRuote[std::size_t(i)]), riquadro));
        ruota->setObjectName(QStringLiteral("chk_ruote1_%1").arg(i));
        ruota->setGeometry(twipsRect(45, 240 + 360 * i, 1170, 255));
        m_campi.chk_ruote[std::size_t(i)] = ruota;
    }
}

void form_guarda::creaIntestazione()
{
    QGroupBox *riquadro = cornice("frm_intestazione", QString(), twipsRect(1200, 0, 3975, 1695));
    auto *etichettaTitolo = new QLabel(QStringLiteral("Titolo scheda:"), riquadro);
    etichettaTitolo->setObjectName(QStringLiteral("lbl_titolo1"));
    etichettaTitolo->move(twips(120), twips(120));
    QLineEdit *casellaTitolo = soloLettura(new QLineEdit(riquadro));
    casellaTitolo->setObjectName(QStringLiteral("txt_titolo1"));
    casellaTitolo->setAccessibleName(QStringLiteral("Titolo scheda"));
    casellaTitolo->setReadOnly(true);
    casellaTitolo->setGeometry(twipsRect(120, 480, 3015, 285));
    m_campi.txt_titolo = casellaTitolo;
    auto *numeri = new QLabel(QStringLiteral("I numeri giocati"), riquadro);
    numeri->setObjectName(QStringLiteral("lbl_numeri1"));
    numeri->move(twips(120), twips(840));
    for (int i = 0; i < 10; ++i) {
        auto *casella = soloLettura(new QLineEdit(riquadro));
        casella->setObjectName(QStringLiteral("txt_num1_%1").arg(i));
        casella->setAccessibleName(QStringLiteral("Numero giocato %1").arg(i + 1));
        casella->setReadOnly(true);
        casella->setAlignment(Qt::AlignCenter);
        casella->setGeometry(twipsRect(360 * i, 1200, 375, 375));
        m_campi.txt_num[std::size_t(i)] = casella;
    }
}

void form_guarda::creaGiocate()
{
    QGroupBox *riquadro =
        cornice("frm_giocata1", QStringLiteral("Ecco le giocate e relative puntate"),
                twipsRect(1200, 1680, 3975, 2535));
    for (int k = 0; k < 5; ++k) {
        const QString nome = testoQt(lotto::kNomiGiocate[std::size_t(k)]);
        auto *giocata = soloLettura(new QCheckBox(nome, riquadro));
        giocata->setObjectName(QStringLiteral("chk_giocata1_%1").arg(k));
        giocata->setGeometry(twipsRect(120, 240 + 360 * k, 1095, 375));
        m_campi.chk_giocata[std::size_t(k)] = giocata;
        auto *puntata = soloLettura(new QLineEdit(riquadro));
        puntata->setObjectName(QStringLiteral("txt_puntata1_%1").arg(k));
        puntata->setAccessibleName(QStringLiteral("Puntata su ") + nome);
        puntata->setReadOnly(true);
        puntata->setGeometry(twipsRect(1200, 300 + 360 * k, 2655, 285));
        m_campi.txt_puntata[std::size_t(k)] = puntata;
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
    QFont carattereFinestra = stile::comic();
    carattereFinestra.setPointSizeF(stile::punti(9.75));
    carattereFinestra.setBold(true);
    carattereFinestra.setItalic(true);
    setFont(carattereFinestra);
    for (QGroupBox *riquadro : findChildren<QGroupBox *>())
        riquadro->setFont(stile::sansSerif());
    m_esci->setFont(stile::sansSerif());
    // The narrow column was drawn for a narrower face than the desktop's sans serif.
    QFont stretto = stile::sansSerif();
    stretto.setPointSizeF(stile::punti(7.5));
    for (QCheckBox *ruota : m_campi.chk_ruote)
        ruota->setFont(stretto);
    auto *etichettaTitolo = findChild<QLabel *>(QStringLiteral("lbl_titolo1"));
    etichettaTitolo->setFont(stile::comic(12));
    etichettaTitolo->adjustSize();
    QFont grassetto = stile::comic();
    grassetto.setPointSizeF(stile::punti(9.75));
    grassetto.setBold(true);
    auto *numeri = findChild<QLabel *>(QStringLiteral("lbl_numeri1"));
    numeri->setFont(grassetto);
    numeri->adjustSize();
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
    const auto trovato =
        m_partita.cerca(CodePage1252::encodeExactly(voce.toStdString()).value_or(""));
    if (!trovato)
        return MostraErroreFile(m_modulo, trovato.errore());
    if (const auto &trovata = trovato.valore()) {
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
        const bool usato = s.numeri[i] > 0;
        txt_num1[i]->setEnabled(usato);
        txt_num1[i]->setText(usato ? QString::number(s.numeri[i]) : QString());
        CampiScheda::colora(txt_num1[i], usato);
    }
    // Rows up to the highest bet type played from Ambo on stay open even when not played.
    std::size_t massimo = 5;
    while (massimo > 0 && s.giocate[massimo] != 1)
        --massimo;
    for (std::size_t j = 0; j < chk_giocata1.size(); ++j) {
        const bool giocata = s.giocate[j] > 0;
        const bool aperta = giocata || j <= massimo;
        chk_giocata1[j]->setEnabled(aperta);
        chk_giocata1[j]->setChecked(giocata);
        txt_puntata1[j]->setEnabled(aperta);
        CampiScheda::colora(txt_puntata1[j], aperta);
        txt_puntata1[j]->setText(giocata ? testoNumero(s.puntate[j]) : QString());
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
    const auto trovato = insieme.trovaPerTitolo(titolo().toStdString());
    const auto conta = trovato ? insieme.conta() : Esito<std::uint64_t>(trovato.errore());
    if (!conta) {
        MostraErroreFile(m_modulo, conta.errore());
        return std::nullopt;
    }
    return trovato.valore().value_or(conta.valore() + 1);
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

bool form_guarda::event(QEvent *evento)
{
    if (evento->type() == QEvent::Show && !m_testiAdattati) {
        m_testiAdattati = true;
        caratteri();
    }
    return FinestraSecondaria::event(evento);
}

// A click anywhere but on the buttons, frames and boxes included, tells how to change the
// ticket.
void form_guarda::mouseReleaseEvent(QMouseEvent *)
{
    SuonaOMostra(m_modulo, Evento::VisoreCliccaModifica);
}

// The viewer lives for the whole run: closing it from its title bar only hides it.
void form_guarda::closeEvent(QCloseEvent *evento)
{
    evento->ignore();
    hide();
}
