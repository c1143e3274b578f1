#include "form_schede.h"

#include "base/text.h"
#include "editor/inserimentonumeri.h"
#include "editor/validatoretitolo.h"
#include "engine/partita.h"
#include "salvataggio/controllosalvataggio.h"
#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "widgets/casellaspunta.h"
#include "widgets/immagine.h"
#include "widgets/nelturno.h"
#include "widgets/stilegioco.h"
#include "widgets/testonumero.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

namespace {

using catalogo::Evento;
using Rifiuto = ControlloSalvataggio::Rifiuto;

constexpr const char *kSelezionaTutto = "Seleziona tutto";
constexpr const char *kDeselezionaTutto = "Deseleziona tutto";

QLineEdit *casella(const QString &nome, const QString &accessibile, QRect dove, QWidget *genitore)
{
    auto *riquadro = new QLineEdit(genitore);
    riquadro->setObjectName(nome);
    riquadro->setGeometry(dove);
    riquadro->setAccessibleName(accessibile);
    riquadro->setContextMenuPolicy(Qt::NoContextMenu); // nothing but typed digits gets in
    riquadro->setDragEnabled(false);
    riquadro->setAcceptDrops(true); // a drop goes in as typed keys
    return riquadro;
}

} // namespace

Form_schede::Form_schede(Partita &partita, Modulo &modulo, QWidget *genitore)
    : FinestraSecondaria(genitore), m_partita(partita), m_modulo(modulo)
{
    setObjectName(QStringLiteral("Form_schede"));
    setAttribute(Qt::WA_DeleteOnClose); // closed from its title bar it is made anew next time
    setFixedSize(twips(5400), twips(4695));
    setFont(stile::sansSerif());
    CampiScheda::sfondo(this);
    creaRuote();
    creaTitoloENumeri();
    creaGiocate();
    creaPulsanti();
    m_numeri = new InserimentoNumeri(
        m_modulo, m_campi, [this] { return m_riempimento || m_partita.recordInModifica() != 0; },
        this);
    connect(m_numeri, &InserimentoNumeri::numeriCambiati, this, &Form_schede::aggiorna);
    impostaOrdineFocus();
    stile::pulsantiConInvio(this);
    esceCon(m_esci);
    svuota();
}

// The typing rules go first: the boxes they watch still send events while they are taken down.
Form_schede::~Form_schede()
{
    delete m_numeri;
}

void Form_schede::creaRuote()
{
    m_frmRuote = new QGroupBox(QStringLiteral("RUOTE GIOCABILI"), this);
    m_frmRuote->setObjectName(QStringLiteral("frmRuote"));
    m_frmRuote->setGeometry(twipsRect(0, 0, 1695, 3780));
    for (int i = 0; i < 11; ++i) {
        auto *ruota = new CasellaSpunta(testoQt(lotto::kNomiRuote[std::size_t(i)]), m_frmRuote);
        ruota->setObjectName(QStringLiteral("chk_ruote_%1").arg(i));
        ruota->setGeometry(twipsRect(120, 240 + 315 * i, 1455, 285));
        connect(ruota, &QCheckBox::toggled, this,
                nelTurno(m_modulo, this, [this, i] { chk_ruote_Click(i); }));
        m_campi.chk_ruote[std::size_t(i)] = ruota;
    }
    m_selez = new QPushButton(QString::fromLatin1(kSelezionaTutto), this);
    m_selez->setObjectName(QStringLiteral("cmd_selez"));
    m_selez->setProperty(stile::kDidascalie, QStringList{QString::fromLatin1(kDeselezionaTutto)});
    m_selez->setGeometry(twipsRect(120, 3900, 1455, 375));
    connect(m_selez, &QPushButton::clicked, this,
            nelTurno(m_modulo, this, &Form_schede::cmd_selez_Click));
}

void Form_schede::creaTitoloENumeri()
{
    auto *titolo = new QLabel(QStringLiteral("Titolo scheda:"), this);
    titolo->setObjectName(QStringLiteral("lbl_titolo"));
    titolo->setFont(stile::comic());
    titolo->move(twips(1800), twips(60));
    titolo->adjustSize();
    m_campi.txt_titolo = new QLineEdit(this);
    m_campi.txt_titolo->setObjectName(QStringLiteral("txt_titolo"));
    m_campi.txt_titolo->setGeometry(twipsRect(1800, 330, 3480, 285));
    m_campi.txt_titolo->setAccessibleName(QStringLiteral("Titolo scheda"));
    m_campi.txt_titolo->setValidator(new ValidatoreTitolo(m_campi.txt_titolo));
    titolo->setBuddy(m_campi.txt_titolo);

    auto *numeri = new QLabel(QStringLiteral("Scrivi i numeri da giocare:"), this);
    numeri->setObjectName(QStringLiteral("lbl_numeri"));
    numeri->setFont(stile::comic());
    numeri->move(twips(1800), twips(690));
    numeri->adjustSize();
    for (int i = 0; i < 10; ++i) {
        m_campi.txt_num[std::size_t(i)] =
            casella(QStringLiteral("txt_num_%1").arg(i), QStringLiteral("Numero %1").arg(i + 1),
                    twipsRect(1680 + 360 * i, 960, 375, 375), this);
        m_campi.txt_num[std::size_t(i)]->setAlignment(Qt::AlignCenter);
    }
    numeri->setBuddy(m_campi.txt_num[0]);
}

void Form_schede::creaGiocate()
{
    m_frmGiocata = new QGroupBox(QStringLiteral("Scegli come giocare e quanto puntare"), this);
    m_frmGiocata->setObjectName(QStringLiteral("frm_giocata"));
    m_frmGiocata->setGeometry(twipsRect(1680, 1440, 3600, 2640));
    for (int k = 0; k < 5; ++k) {
        const QString nome = testoQt(lotto::kNomiGiocate[std::size_t(k)]);
        auto *giocata = new CasellaSpunta(nome, m_frmGiocata);
        giocata->setObjectName(QStringLiteral("chk_giocata_%1").arg(k));
        giocata->setGeometry(twipsRect(120, 300 + 450 * k, 1335, 375));
        connect(giocata, &QCheckBox::toggled, this,
                nelTurno(m_modulo, this, [this, k] { chk_giocata_Click(k); }));
        m_campi.chk_giocata[std::size_t(k)] = giocata;
        m_campi.txt_puntata[std::size_t(k)] =
            casella(QStringLiteral("txt_puntata_%1").arg(k), QStringLiteral("Puntata su ") + nome,
                    twipsRect(1560, 345 + 450 * k, 1920, 285), m_frmGiocata);
        CampiScheda::grigiaDaChiusa(m_campi.txt_puntata[std::size_t(k)]);
    }
}

void Form_schede::creaPulsanti()
{
    auto pulsante = [this](const char *nome, const char *didascalia, QRect dove) {
        auto *b = new QPushButton(QString::fromLatin1(didascalia), this);
        b->setObjectName(QString::fromLatin1(nome));
        b->setGeometry(dove);
        return b;
    };
    m_pulisci = pulsante("cmd_pulisci", "Pulisci scheda", twipsRect(1680, 4200, 1155, 375));
    m_salvasche = pulsante("cmd_salvasche", "Salva schedina", twipsRect(2880, 4200, 1215, 375));
    m_esci = pulsante("cmd_esci", "Esci", twipsRect(4140, 4200, 1140, 375));
    for (auto [b, gestore] : {std::pair{m_pulisci, &Form_schede::cmd_pulisci_Click},
                              {m_salvasche, &Form_schede::cmd_salvasche_Click},
                              {m_esci, &Form_schede::cmd_esci_Click}})
        connect(b, &QPushButton::clicked, this, nelTurno(m_modulo, this, gestore));
}

// The Tab key goes through the wheels from CAGLIARI, then BARI, the numbers, the bet types,
// the stakes, the buttons and the title.
void Form_schede::impostaOrdineFocus()
{
    QList<QWidget *> ordine;
    for (int i = 1; i <= 10; ++i)
        ordine << m_campi.chk_ruote[std::size_t(i)];
    ordine << m_campi.chk_ruote[0] << m_selez;
    for (QLineEdit *riquadro : m_campi.txt_num)
        ordine << riquadro;
    for (QCheckBox *giocata : m_campi.chk_giocata)
        ordine << giocata;
    for (QLineEdit *puntata : m_campi.txt_puntata)
        ordine << puntata;
    ordine << m_salvasche << m_pulisci << m_campi.txt_titolo << m_esci;
    for (qsizetype i = 0; i + 1 < ordine.size(); ++i)
        setTabOrder(ordine[i], ordine[i + 1]);
}

// The cleared editor: box 0 usable and white, the other numbers grey, Estratto alone ready,
// nothing ticked.
void Form_schede::svuota()
{
    const QScopedValueRollback blocco(m_riempimento, true);
    m_campi.svuota();
    CampiScheda::colora(m_campi.txt_num[0], true);
    m_numeri->azzera();
}

void Form_schede::cmd_pulisci_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] { svuota(); });
}

int Form_schede::attivati() const
{
    return int(std::count_if(m_campi.txt_num.begin(), m_campi.txt_num.end(),
                             [](const QLineEdit *riquadro) {
                                 return riquadro->isEnabled() && !riquadro->text().isEmpty();
                             }));
}

void Form_schede::aggiorna()
{
    const int n = attivati();
    for (int k = 1; k < 5; ++k) {
        m_campi.chk_giocata[std::size_t(k)]->setEnabled(n > k);
        m_campi.txt_puntata[std::size_t(k)]->setEnabled(n > k);
    }
}

void Form_schede::chk_ruote_Click(int i)
{
    if (i != int(lotto::kTutte))
        return;
    const bool tutte = m_campi.chk_ruote[lotto::kTutte]->isChecked();
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        if (tutte)
            m_campi.chk_ruote[w]->setChecked(false);
        m_campi.chk_ruote[w]->setEnabled(!tutte);
    }
}

void Form_schede::cmd_selez_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] {
        const bool seleziona = std::exchange(m_selezionaTutte, !m_selezionaTutte);
        for (std::size_t w = 0; w < lotto::kRuote; ++w)
            m_campi.chk_ruote[w]->setChecked(seleziona);
        m_selez->setText(QString::fromLatin1(seleziona ? kDeselezionaTutto : kSelezionaTutto));
    });
}

// A bet type ticked or unticked, by the player or by code.
void Form_schede::chk_giocata_Click(int k)
{
    if (m_riempimento)
        return;
    aggiorna();
    if (m_partita.recordInModifica() != 0)
        return;
    QCheckBox *giocata = m_campi.chk_giocata[std::size_t(k)];
    const int n = attivati();
    if (n <= 1 && m_campi.txt_num[0]->text().isEmpty()) {
        SuonaOMostra(m_modulo, Evento::GiocataSenzaNumero);
        return dopo(m_modulo, this, [giocata] {
            const QSignalBlocker silenzioso(giocata);
            giocata->setChecked(false);
        });
    }
    if (n >= 2) {
        const auto &valori = m_numeri->valori();
        const int ultimo = valori[std::size_t(n - 1)];
        if (std::find(valori.begin(), valori.begin() + (n - 1), ultimo) !=
            valori.begin() + (n - 1)) {
            // The last number repeats an earlier one: it goes, silently.
            m_campi.txt_num[std::size_t(n - 1)]->clear();
            m_numeri->dimentica(std::size_t(n - 1));
            if (giocata->isChecked()) {
                const QSignalBlocker silenzioso(giocata);
                giocata->setChecked(false);
                m_campi.txt_puntata[std::size_t(k)]->clear();
            }
            aggiorna();
            return;
        }
    }
    if (!giocata->isChecked())
        m_campi.txt_puntata[std::size_t(k)]->clear();
}

ModuloScheda Form_schede::moduloCompilato() const
{
    ModuloScheda m;
    m.titolo = m_campi.txt_titolo->text().toStdString();
    for (std::size_t i = 0; i < m_campi.txt_num.size(); ++i) {
        m.numeri[i] = m_campi.txt_num[i]->text().toStdString();
        m.numeriAttivi[i] = m_campi.txt_num[i]->isEnabled();
    }
    for (std::size_t i = 0; i < m_campi.chk_ruote.size(); ++i)
        m.ruote[i] = m_campi.chk_ruote[i]->isChecked();
    for (std::size_t k = 0; k < m_campi.chk_giocata.size(); ++k) {
        m.giocate[k] = m_campi.chk_giocata[k]->isChecked();
        m.puntate[k] = m_campi.txt_puntata[k]->text().toStdString();
    }
    m.modifica = m_partita.recordInModifica() != 0;
    m.titoloOriginale = titoloOriginale().toStdString();
    return m;
}

void Form_schede::cmd_salvasche_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] { salva(); });
}

// What is said comes first; the focus, the boxes emptied and the editor hidden follow it.
void Form_schede::salva()
{
    if (m_riempimento)
        return;
    const ModuloScheda modulo = moduloCompilato();
    const auto verdetto = ControlloSalvataggio::controlla(
        modulo, [&](std::string_view titolo) { return m_partita.titoloPresente(titolo); },
        [&](ControlloSalvataggio::Passo passo) -> std::optional<Rifiuto> {
            // After a new game the editor may still be open with no set to save into.
            if (passo == ControlloSalvataggio::Passo::Titolo && !m_partita.insiemeAperto())
                return Rifiuto::di(Evento::SchedaSenzaInsieme);
            return std::nullopt;
        });
    if (verdetto.errore)
        return MostraErroreFile(m_modulo, *verdetto.errore);
    if (const auto &rifiuto = verdetto.rifiuto) {
        SuonaOMostra(m_modulo, *rifiuto->evento);
        return dopo(m_modulo, this, [this, evento = *rifiuto->evento, casella = rifiuto->casella] {
            if (evento == Evento::SalvaTitoloEsistente)
                m_campi.txt_titolo->setFocus();
            if (casella >= 0) {
                m_campi.txt_num[std::size_t(casella)]->clear();
                m_campi.txt_num[std::size_t(attivati())]->setFocus();
            }
        });
    }
    const auto costruita = ControlloSalvataggio::costruisci(modulo);
    if (const auto *troppoAlta = std::get_if<Rifiuto>(&costruita)) {
        return m_modulo.presentatore().mostra(troppoAlta->testo,
                                              std::string(catalogo::kTitoloErrore));
    }
    const Schedina &schedina = std::get<Schedina>(costruita);
    if (!scrivi(schedina, modulo))
        return;
    SuonaOMostra(m_modulo, Evento::SchedinaSalvata);
    dopo(m_modulo, this, [this, titolo = QString::fromStdString(schedina.titoloTesto())] {
        Q_EMIT schedinaSalvata(titolo);
        hide();
    });
}

// A new ticket goes after the set's last; a changed one takes its own record's place, and its
// old entry leaves the list (it comes back at the end under its new title). The lock is let go
// before anything is said.
bool Form_schede::scrivi(const Schedina &schedina, const ModuloScheda &modulo)
{
    const Esito<bool> scritto = m_partita.salva(schedina, modulo.titolo, modulo.titoloOriginale);
    if (!scritto) {
        MostraErroreFile(m_modulo, scritto.errore());
        return false;
    }
    if (!scritto.valore()) {
        SuonaOMostra(m_modulo, Evento::SalvaTitoloEsistente);
        dopo(m_modulo, this, [this] { m_campi.txt_titolo->setFocus(); });
        return false;
    }
    return true;
}

void Form_schede::leggiTitoloOriginale(std::function<QString()> titolo)
{
    m_titoloOriginale = std::move(titolo);
}

QString Form_schede::titoloOriginale() const
{
    return m_titoloOriginale ? m_titoloOriginale() : QString();
}

void Form_schede::nuovaScheda()
{
    mostraTitolo();
    show();
    raise();
    activateWindow();
    cmd_pulisci_Click();
    m_salvasche->setEnabled(true);
}

// The boxes take the ticket as the viewer showed it: a number box for each number, the bet
// types played ticked with their stakes; what is not set here keeps what the editor had.
void Form_schede::modifica(const std::optional<Schedina> &scheda)
{
    const Schedina vuota;
    const Schedina &s = scheda ? *scheda : vuota;
    m_campi.txt_titolo->setText(scheda ? QString::fromStdString(s.titoloTesto()) : QString());
    for (std::size_t i = 0; i < m_campi.txt_num.size(); ++i) {
        QLineEdit *riquadro = m_campi.txt_num[i];
        if (s.numeri[i] > 0) {
            riquadro->setText(QString::number(s.numeri[i]));
            riquadro->setEnabled(true);
            CampiScheda::colora(riquadro, true);
        } else {
            riquadro->clear();
            riquadro->setEnabled(false);
        }
    }
    for (std::size_t i = 0; i < m_campi.chk_ruote.size(); ++i)
        m_campi.chk_ruote[i]->setChecked(s.ruote[i] == 1);
    for (std::size_t k = 0; k < m_campi.chk_giocata.size(); ++k) {
        const bool giocata = s.giocate[k] > 0;
        m_campi.chk_giocata[k]->setChecked(giocata);
        if (giocata) {
            m_campi.txt_puntata[k]->setText(testoNumero(s.puntate[k]));
            m_campi.chk_giocata[k]->setEnabled(true);
            m_campi.txt_puntata[k]->setEnabled(true);
        } else {
            m_campi.txt_puntata[k]->clear();
        }
    }
    m_campi.chk_giocata[0]->setEnabled(true);
    m_campi.txt_puntata[0]->setEnabled(true);
    m_numeri->prendiDaiNumeri();
    mostraTitolo();
    show();
}

void Form_schede::cmd_esci_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] { hide(); });
}

void Form_schede::Form_Activate()
{
    mostraTitolo();
}

// The caption names the points; it is written before the window shows too, so that the desktop
// and a screen reader announce the window by it.
void Form_schede::mostraTitolo()
{
    setWindowTitle(QStringLiteral("Compila la tua schedina, hai ") +
                   testoNumero(m_partita.conti().punti) + QStringLiteral(" punti"));
}

bool Form_schede::event(QEvent *evento)
{
    if (evento->type() == QEvent::Show) {
        // The keyboard starts where the Tab order starts.
        m_campi.chk_ruote[1]->setFocus();
        if (!m_testiAdattati)
            stile::adattaTesti(this);
        m_testiAdattati = true;
    }
    return FinestraSecondaria::event(evento);
}
