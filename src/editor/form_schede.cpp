#include "form_schede.h"

#include "base/text.h"
#include "editor/inserimentonumeri.h"
#include "editor/validatoretitolo.h"
#include "salvataggio/controllosalvataggio.h"
#include "shared/bloccoeventi.h"
#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "storage/insiemeschede.h"
#include "widgets/casellaspunta.h"
#include "widgets/immagine.h"
#include "widgets/nelturno.h"
#include "widgets/stilegioco.h"
#include "widgets/testonumero.h"
#include "widgets/twips.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using catalogo::Evento;
using Rifiuto = ControlloSalvataggio::Rifiuto;

constexpr const char *kSelezionaTutto = "Seleziona tutto";
constexpr const char *kDeselezionaTutto = "Deseleziona tutto";

QLineEdit *casella(const QString &name, const QString &accessible, QRect where, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(where);
    box->setAccessibleName(accessible);
    box->setContextMenuPolicy(Qt::NoContextMenu); // nothing but typed digits gets in
    box->setDragEnabled(false);
    box->setAcceptDrops(true); // a drop goes in as typed keys
    return box;
}

} // namespace

Form_schede::Form_schede(Modulo &modulo, const CampiScheda &visore, QWidget *parent)
    : QWidget(parent, Qt::Window), m_modulo(modulo), m_visore(visore)
{
    setObjectName(QStringLiteral("Form_schede"));
    setAttribute(Qt::WA_DeleteOnClose); // closed from its title bar it is made anew next time
    setFixedSize(twips(5400), twips(4695));
    setFont(stile::sansSerif());
    auto *background = new Immagine(QStringLiteral(":/immagini/sfondo_scheda.svg"),
                                    QStringLiteral("Sfondo della schedina"), this);
    background->setGeometry(rect());
    creaRuote();
    creaTitoloENumeri();
    creaGiocate();
    creaPulsanti();
    m_numeri = new InserimentoNumeri(this);
    impostaOrdineFocus();
    stile::pulsantiConInvio(this);
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
        auto *wheel = new CasellaSpunta(testoQt(lotto::kNomiRuote[std::size_t(i)]), m_frmRuote);
        wheel->setObjectName(QStringLiteral("chk_ruote_%1").arg(i));
        wheel->setGeometry(twipsRect(120, 240 + 315 * i, 1455, 285));
        connect(wheel, &QCheckBox::toggled, this,
                nelTurno(m_modulo, this, [this, i] { chk_ruote_Click(i); }));
        chk_ruote[std::size_t(i)] = wheel;
    }
    cmd_selez = new QPushButton(QString::fromLatin1(kSelezionaTutto), this);
    cmd_selez->setObjectName(QStringLiteral("cmd_selez"));
    cmd_selez->setGeometry(twipsRect(120, 3900, 1455, 375));
    connect(cmd_selez, &QPushButton::clicked, this,
            nelTurno(m_modulo, this, &Form_schede::cmd_selez_Click));
}

void Form_schede::creaTitoloENumeri()
{
    auto *title = new QLabel(QStringLiteral("Titolo scheda:"), this);
    title->setObjectName(QStringLiteral("lbl_titolo"));
    title->setFont(stile::comic());
    title->move(twips(1800), twips(60));
    title->adjustSize();
    txt_titolo = new QLineEdit(this);
    txt_titolo->setObjectName(QStringLiteral("txt_titolo"));
    txt_titolo->setGeometry(twipsRect(1800, 330, 3480, 285));
    txt_titolo->setAccessibleName(QStringLiteral("Titolo scheda"));
    txt_titolo->setValidator(new ValidatoreTitolo(txt_titolo));
    title->setBuddy(txt_titolo);

    auto *numbers = new QLabel(QStringLiteral("Scrivi i numeri da giocare:"), this);
    numbers->setObjectName(QStringLiteral("lbl_numeri"));
    numbers->setFont(stile::comic());
    numbers->move(twips(1800), twips(690));
    numbers->adjustSize();
    for (int i = 0; i < 10; ++i) {
        txt_num[std::size_t(i)] =
            casella(QStringLiteral("txt_num_%1").arg(i), QStringLiteral("Numero %1").arg(i + 1),
                    twipsRect(1680 + 360 * i, 960, 375, 375), this);
        txt_num[std::size_t(i)]->setAlignment(Qt::AlignCenter);
    }
    numbers->setBuddy(txt_num[0]);
}

void Form_schede::creaGiocate()
{
    m_frmGiocata = new QGroupBox(QStringLiteral("Scegli come giocare e quanto puntare"), this);
    m_frmGiocata->setObjectName(QStringLiteral("frm_giocata"));
    m_frmGiocata->setGeometry(twipsRect(1680, 1440, 3600, 2640));
    for (int k = 0; k < 5; ++k) {
        const QString name = testoQt(lotto::kNomiGiocate[std::size_t(k)]);
        auto *bet = new CasellaSpunta(name, m_frmGiocata);
        bet->setObjectName(QStringLiteral("chk_giocata_%1").arg(k));
        bet->setGeometry(twipsRect(120, 300 + 450 * k, 1335, 375));
        connect(bet, &QCheckBox::toggled, this,
                nelTurno(m_modulo, this, [this, k] { chk_giocata_Click(k); }));
        chk_giocata[std::size_t(k)] = bet;
        txt_puntata[std::size_t(k)] =
            casella(QStringLiteral("txt_puntata_%1").arg(k), QStringLiteral("Puntata su ") + name,
                    twipsRect(1560, 345 + 450 * k, 1920, 285), m_frmGiocata);
    }
}

void Form_schede::creaPulsanti()
{
    auto button = [this](const char *name, const char *caption, QRect where) {
        auto *b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(where);
        return b;
    };
    cmd_pulisci = button("cmd_pulisci", "Pulisci scheda", twipsRect(1680, 4200, 1155, 375));
    cmd_salvasche = button("cmd_salvasche", "Salva schedina", twipsRect(2880, 4200, 1215, 375));
    cmd_esci = button("cmd_esci", "Esci", twipsRect(4140, 4200, 1140, 375));
    for (auto [b, gestore] : {std::pair{cmd_pulisci, &Form_schede::cmd_pulisci_Click},
                              {cmd_salvasche, &Form_schede::cmd_salvasche_Click},
                              {cmd_esci, &Form_schede::cmd_esci_Click}})
        connect(b, &QPushButton::clicked, this, nelTurno(m_modulo, this, gestore));
}

// The Tab key goes through the wheels from CAGLIARI, then BARI, the numbers, the bet types,
// the stakes, the buttons and the title.
void Form_schede::impostaOrdineFocus()
{
    QList<QWidget *> order;
    for (int i = 1; i <= 10; ++i)
        order << chk_ruote[std::size_t(i)];
    order << chk_ruote[0] << cmd_selez;
    for (QLineEdit *box : txt_num)
        order << box;
    for (QCheckBox *bet : chk_giocata)
        order << bet;
    for (QLineEdit *stake : txt_puntata)
        order << stake;
    order << cmd_salvasche << cmd_pulisci << txt_titolo << cmd_esci;
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

// The cleared editor: box 0 usable and white, the other numbers grey, Estratto alone ready,
// nothing ticked.
void Form_schede::svuota()
{
    const BloccoEventi blocco(m_modulo);
    campi.svuota();
    CampiScheda::colora(txt_num[0], true);
    m_numeri->azzera();
}

void Form_schede::cmd_pulisci_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    svuota();
}

int Form_schede::attivati() const
{
    return int(std::count_if(txt_num.begin(), txt_num.end(), [](const QLineEdit *box) {
        return box->isEnabled() && !box->text().isEmpty();
    }));
}

void Form_schede::aggiorna()
{
    const int n = attivati();
    for (int k = 1; k < 5; ++k) {
        chk_giocata[std::size_t(k)]->setEnabled(n > k);
        txt_puntata[std::size_t(k)]->setEnabled(n > k);
    }
}

void Form_schede::chk_ruote_Click(int i)
{
    if (i != int(lotto::kTutte))
        return;
    const bool all = chk_ruote[lotto::kTutte]->isChecked();
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        if (all)
            chk_ruote[w]->setChecked(false);
        chk_ruote[w]->setEnabled(!all);
    }
}

void Form_schede::cmd_selez_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    const bool select = cmd_selez->text() == QLatin1String(kSelezionaTutto);
    for (std::size_t w = 0; w < lotto::kRuote; ++w)
        chk_ruote[w]->setChecked(select);
    cmd_selez->setText(QString::fromLatin1(select ? kDeselezionaTutto : kSelezionaTutto));
}

// A bet type ticked or unticked, by the player or by code.
void Form_schede::chk_giocata_Click(int k)
{
    if (m_modulo.blocca_eventi == 1)
        return;
    aggiorna();
    if (m_modulo.pos_modifica != 0)
        return;
    QCheckBox *bet = chk_giocata[std::size_t(k)];
    const int n = attivati();
    if (n <= 1 && txt_num[0]->text().isEmpty()) {
        SuonaOMostra(m_modulo, Evento::GiocataSenzaNumero);
        const QSignalBlocker quiet(bet);
        bet->setChecked(false);
        return;
    }
    if (n >= 2) {
        const auto &valori = m_numeri->valori;
        const int last = valori[std::size_t(n - 1)];
        if (std::find(valori.begin(), valori.begin() + (n - 1), last) != valori.begin() + (n - 1)) {
            // The last number repeats an earlier one: it goes, silently.
            txt_num[std::size_t(n - 1)]->clear();
            m_numeri->valori[std::size_t(n - 1)] = InserimentoNumeri::kNessuno;
            if (bet->isChecked()) {
                const QSignalBlocker quiet(bet);
                bet->setChecked(false);
                txt_puntata[std::size_t(k)]->clear();
            }
            aggiorna();
            return;
        }
    }
    if (!bet->isChecked())
        txt_puntata[std::size_t(k)]->clear();
}

ModuloScheda Form_schede::moduloCompilato() const
{
    ModuloScheda m;
    m.titolo = txt_titolo->text().toStdString();
    for (std::size_t i = 0; i < txt_num.size(); ++i) {
        m.numeri[i] = txt_num[i]->text().toStdString();
        m.numeriAttivi[i] = txt_num[i]->isEnabled();
    }
    for (std::size_t i = 0; i < chk_ruote.size(); ++i)
        m.ruote[i] = chk_ruote[i]->isChecked();
    for (std::size_t k = 0; k < chk_giocata.size(); ++k) {
        m.giocate[k] = chk_giocata[k]->isChecked();
        m.puntate[k] = txt_puntata[k]->text().toStdString();
    }
    m.modifica = m_modulo.pos_modifica != 0;
    m.titoloOriginale = m_visore.txt_titolo->text().toStdString();
    return m;
}

void Form_schede::cmd_salvasche_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    if (m_modulo.blocca_eventi == 1)
        return;
    const ModuloScheda modulo = moduloCompilato();
    const InsiemeSchede insieme(m_modulo.file_insieme);
    const auto verdict = ControlloSalvataggio::controlla(
        modulo,
        [&](std::string_view titolo) -> Esito<bool> {
            auto found = insieme.trovaPerTitolo(titolo);
            if (!found)
                return found.errore();
            return found.valore().has_value();
        },
        [&](ControlloSalvataggio::Passo passo) -> std::optional<Rifiuto> {
            // After a new game the editor may still be open with no set to save into.
            if (passo == ControlloSalvataggio::Passo::Titolo && !m_modulo.insiemeAperto())
                return Rifiuto::di(Evento::SchedaSenzaInsieme);
            return std::nullopt;
        });
    if (verdict.errore)
        return MostraErroreFile(m_modulo, *verdict.errore);
    if (const auto &refusal = verdict.rifiuto) {
        SuonaOMostra(m_modulo, *refusal->evento);
        if (refusal->evento == Evento::SalvaTitoloEsistente)
            txt_titolo->setFocus();
        if (refusal->casella >= 0) {
            txt_num[std::size_t(refusal->casella)]->clear();
            txt_num[std::size_t(attivati())]->setFocus();
        }
        return;
    }
    const auto built = ControlloSalvataggio::costruisci(modulo);
    if (const auto *tooHigh = std::get_if<Rifiuto>(&built)) {
        m_modulo.avvisi().mostra(tooHigh->testo, catalogo::kTitoloErrore);
        return;
    }
    m_modulo.schedina = std::get<Schedina>(built);
    if (!scrivi(m_modulo.schedina))
        return;
    SuonaOMostra(m_modulo, Evento::SchedinaSalvata);
    Q_EMIT schedinaSalvata(QString::fromStdString(m_modulo.schedina.titoloTesto()));
    hide();
}

// A new ticket goes after the set's last; a changed one takes its own record's place, and its
// old entry leaves the list (it comes back at the end under its new title).
bool Form_schede::scrivi(const Schedina &schedina)
{
    const bool modifica = m_modulo.pos_modifica != 0;
    const Esito<bool> written = scriviSottoBlocco(schedina);
    if (!written) {
        MostraErroreFile(m_modulo, written.errore());
        return false;
    }
    if (!written.valore()) {
        SuonaOMostra(m_modulo, Evento::SalvaTitoloEsistente);
        txt_titolo->setFocus();
        return false;
    }
    if (modifica) {
        Q_EMIT schedinaRiscritta(m_visore.txt_titolo->text());
        m_modulo.pos_modifica = 0;
    }
    m_modulo.blocca_eventi = 0;
    return true;
}

// The write holds the set's lock, and looks for the title again under it, as the save's check
// did: another game or the companion may have saved it since. False: the title is taken now.
// The lock is let go before anything is said.
Esito<bool> Form_schede::scriviSottoBlocco(const Schedina &schedina) const
{
    const InsiemeSchede insieme(m_modulo.file_insieme);
    const auto blocco = BloccoInsieme::prendi(m_modulo.file_insieme);
    if (!blocco)
        return blocco.errore();
    const ModuloScheda m = moduloCompilato();
    if (!m.modifica || trimSpaces(m.titolo) != trimSpaces(m.titoloOriginale)) {
        const auto found = insieme.trovaPerTitolo(m.titolo);
        if (!found)
            return found.errore();
        if (found.valore())
            return false;
    }
    if (m.modifica) {
        const auto written = insieme.sovrascrivi(m_modulo.pos_modifica, schedina, blocco.valore());
        if (!written)
            return written.errore();
    } else if (const auto appended = insieme.aggiungi(schedina, blocco.valore()); !appended) {
        return appended.errore();
    }
    return true;
}

void Form_schede::prendiDalVisore()
{
    txt_titolo->setText(m_visore.txt_titolo->text());
    for (std::size_t i = 0; i < txt_num.size(); ++i) {
        QLineEdit *box = txt_num[i];
        if (!m_visore.txt_num[i]->text().isEmpty()) {
            box->setText(m_visore.txt_num[i]->text());
            box->setEnabled(true);
            CampiScheda::colora(box, true);
        } else {
            box->clear();
            box->setEnabled(false);
        }
    }
    for (std::size_t i = 0; i < chk_ruote.size(); ++i)
        chk_ruote[i]->setChecked(m_visore.chk_ruote[i]->isChecked());
    for (std::size_t k = 0; k < chk_giocata.size(); ++k) {
        if (m_visore.chk_giocata[k]->isChecked()) {
            chk_giocata[k]->setChecked(true);
            txt_puntata[k]->setText(m_visore.txt_puntata[k]->text());
            chk_giocata[k]->setEnabled(true);
            txt_puntata[k]->setEnabled(true);
        } else {
            chk_giocata[k]->setChecked(false);
            txt_puntata[k]->clear();
        }
    }
    chk_giocata[0]->setEnabled(true);
    txt_puntata[0]->setEnabled(true);
    m_numeri->prendiDaiNumeri();
}

void Form_schede::cmd_esci_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    hide();
    m_modulo.punti = punti_iniziali;
}

void Form_schede::Form_Activate()
{
    setWindowTitle(QStringLiteral("Compila la tua schedina, hai ") + testoNumero(m_modulo.punti) +
                   QStringLiteral(" punti"));
    punti_iniziali = m_modulo.punti;
    Q_EMIT attivata();
}

bool Form_schede::event(QEvent *event)
{
    // Hidden, it gives the keyboard back to the window that opened it.
    if (event->type() == QEvent::Hide && parentWidget())
        parentWidget()->activateWindow();
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    if (event->type() == QEvent::Show) {
        // The keyboard starts where the Tab order starts.
        chk_ruote[1]->setFocus();
        if (!m_testiAdattati)
            stile::adattaTesti(this);
        m_testiAdattati = true;
    }
    return QWidget::event(event);
}

// Escape leaves the editor, as "Esci" does; in a number or stake box it is a key like any
// other, and refused there.
void Form_schede::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        cmd_esci->click();
    else
        QWidget::keyPressEvent(event);
}
