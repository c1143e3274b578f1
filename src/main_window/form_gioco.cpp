#include "form_gioco.h"

#include "base/codepage1252.h"
#include "editor/form_schede.h"
#include "main_window/comandiinsiemi.h"
#include "main_window/comandogioca.h"
#include "main_window/comandostampa.h"
#include "main_window/menuestrazioni.h"
#include "main_window/modelloschede.h"
#include "main_window/paginagioca.h"
#include "main_window/paginalotto.h"
#include "main_window/paginapresentazione.h"
#include "main_window/paginaregolamento.h"
#include "main_window/tabstrip.h"
#include "shared/modulo.h"
#include "sound/interruttorisuoni.h"
#include "sound/suonaomostra.h"
#include "viewer/form_guarda.h"
#include "widgets/cornicefocus.h"
#include "widgets/nelturno.h"
#include "widgets/stilegioco.h"
#include "widgets/testonumero.h"
#include "widgets/titolointero.h"
#include "widgets/twips.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>

#include <algorithm>
#include <functional>

namespace {

using catalogo::Evento;

constexpr int kLarghezzaTab = 10455;
constexpr int kAltezzaTab = 7335;
constexpr const char *kUscitaNascosta = "lbl_esci";

// Labels have no click of their own: the exit area's is a release of the mouse on it.
class FiltroUscita : public QObject
{
public:
    FiltroUscita(std::function<void()> clic, QObject *genitore)
        : QObject(genitore), m_clic(std::move(clic))
    {}

protected:
    bool eventFilter(QObject *, QEvent *evento) override
    {
        if (evento->type() != QEvent::MouseButtonRelease)
            return false;
        m_clic();
        return true;
    }

private:
    std::function<void()> m_clic;
};

// A screen reader meets the hidden exit as what it is, a button that ends the game when pressed:
// its press is the click the band takes.
class UscitaAccessibile : public QAccessibleWidget
{
public:
    explicit UscitaAccessibile(QWidget *uscita) : QAccessibleWidget(uscita, QAccessible::Button) {}
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &azione) override
    {
        if (azione != pressAction())
            return;
        const QPointF dentro(widget()->rect().center());
        QMouseEvent rilascio(QEvent::MouseButtonRelease, dentro, widget()->mapToGlobal(dentro),
                             Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget(), &rilascio);
    }

    static QAccessibleInterface *crea(const QString &classe, QObject *oggetto)
    {
        auto *w = qobject_cast<QWidget *>(oggetto);
        return w && classe == QLatin1String("QLabel") &&
                       w->objectName() == QLatin1String(kUscitaNascosta)
                   ? new UscitaAccessibile(w)
                   : nullptr;
    }
};

} // namespace

Form_gioco::Form_gioco(Partita &partita, Modulo &modulo, DialogoFile &dialogo,
                       GeneratoreCasuale &generatore, Compagno &compagno,
                       DialogoFile &dialogoArchivio, SceltaStampante &stampante, QWidget *genitore)
    : QMainWindow(genitore), m_partita(partita), m_modulo(modulo), m_dialogo(dialogo),
      m_generatore(generatore), m_compagno(compagno), m_dialogoArchivio(dialogoArchivio),
      m_esistenti(new ModelloSchede(partita.elenco(Partita::Lista::Esistenti), this)),
      m_dagioca(new ModelloSchede(partita.elenco(Partita::Lista::DaGioca), this)),
      m_stampa(new ComandoStampa(partita, modulo, stampante, this))
{
    setObjectName(QStringLiteral("Form_gioco"));
    setWindowTitle(QStringLiteral("IL NUOVO LOTTO"));
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("area"));
    setCentralWidget(area);
    creaMenu();
    creaPagine();
    creaTastiTab();
    new CorniceFocus(this);
    new TitoloIntero(this);
    creaUscitaNascosta();
    area->setMinimumSize(twips(10875), twips(7950));
    resize(area->minimumSize() + QSize(0, menuBar()->sizeHint().height()));
    Form_Load();
}

Form_gioco::~Form_gioco() = default;

void Form_gioco::creaMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnu_file"));
    QAction *nuovaPartita = file->addAction(QStringLiteral("Nuova partita"));
    nuovaPartita->setObjectName(QStringLiteral("mnu_file_newgame"));
    connect(nuovaPartita, &QAction::triggered, this,
            nelTurno(m_modulo, this, &Form_gioco::mnu_file_newgame_Click));
    QAction *stampa = file->addAction(QStringLiteral("Stampa le schedine..."));
    stampa->setObjectName(QStringLiteral("mnu_file_stampa"));
    connect(stampa, &QAction::triggered, m_stampa,
            nelTurno(m_modulo, m_stampa, &ComandoStampa::stampa));
    QAction *esci = file->addAction(QStringLiteral("Esci"));
    esci->setObjectName(QStringLiteral("cmd_esci"));
    connect(esci, &QAction::triggered, this, nelTurno(m_modulo, this, &Form_gioco::cmd_esci_Click));

    QMenu *opzioni = menuBar()->addMenu(QStringLiteral("&Opzioni"));
    opzioni->setObjectName(QStringLiteral("cmd_option"));
    m_mnuSuoni = opzioni->addAction(testoQt(InterruttoriSuoni::kDisabilita));
    m_mnuSuoni->setObjectName(QStringLiteral("mnu_cmd_suoni"));
    connect(m_mnuSuoni, &QAction::triggered, this,
            nelTurno(m_modulo, this, &Form_gioco::mnu_cmd_suoni_Click));
    m_mnuSpirito = opzioni->addAction(testoQt(InterruttoriSuoni::kSpiritosiIniziale));
    m_mnuSpirito->setObjectName(QStringLiteral("mnu_cmd_spirito"));
    connect(m_mnuSpirito, &QAction::triggered, this,
            nelTurno(m_modulo, this, &Form_gioco::mnu_cmd_spirito_Click));

    new MenuEstrazioni(menuBar(), m_partita, m_modulo, m_dialogoArchivio, m_compagno, this);

    QAction *informazioni = menuBar()->addAction(QStringLiteral("?"));
    informazioni->setObjectName(QStringLiteral("mnu_about"));
    // Alt and the first letter open "File" and "Opzioni"; F10 opens the first menu, and the
    // arrows go on from there.
    connect(new QShortcut(Qt::Key_F10, this), &QShortcut::activated, this, [this] {
        m_primaDelMenu = QApplication::focusWidget();
        menuBar()->setActiveAction(menuBar()->actions().constFirst());
    });
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the tabs from anywhere in the window; the tab strip reports
// the change as a click on the tab. Ctrl+Shift+Tab reaches Qt from the X server as Backtab with
// Ctrl and Shift, which no key sequence matches: it is caught as it arrives, before the focused
// control takes it as a step back through the page.
void Form_gioco::creaTastiTab()
{
    connect(new QShortcut(QKeySequence::NextChild, this), &QShortcut::activated, this,
            [this] { m_tabStrip->gira(1); });
    qApp->installEventFilter(this);
}

bool Form_gioco::eventFilter(QObject *osservato, QEvent *evento)
{
    if (evento->type() == QEvent::KeyPress) {
        const auto *tasto = static_cast<QKeyEvent *>(evento);
        if (tastoDelMenu(tasto->key()))
            return true;
        const bool indietro =
            tasto->modifiers().testFlag(Qt::ControlModifier) &&
            (tasto->key() == Qt::Key_Backtab ||
             (tasto->key() == Qt::Key_Tab && tasto->modifiers().testFlag(Qt::ShiftModifier)));
        const auto *elemento = qobject_cast<QWidget *>(osservato);
        if (indietro && elemento && elemento->window() == this) {
            m_tabStrip->gira(-1);
            return true;
        }
    }
    return QMainWindow::eventFilter(osservato, evento);
}

// The arrows from F10's menus reach "?", which has no menu to open: the bar shows it lit but
// no longer has the keys, which go to the page. Until another key leaves the bar, the arrows go
// on through its titles and Escape leaves it, as they do while a menu is open.
bool Form_gioco::tastoDelMenu(int tasto)
{
    QMenuBar *barra = menuBar();
    QAction *acceso = barra->activeAction();
    if (!acceso || QApplication::activePopupWidget())
        return false;
    const QList<QAction *> titoli = barra->actions();
    const auto qui = titoli.indexOf(acceso);
    if (tasto == Qt::Key_Left || tasto == Qt::Key_Right) {
        const auto passo = tasto == Qt::Key_Right ? 1 : titoli.size() - 1;
        barra->setActiveAction(titoli[(qui + passo) % titoli.size()]);
        return true;
    }
    barra->setActiveAction(nullptr);
    // The keys go back where they were before F10, as they do when a menu is left with Escape.
    if (QApplication::focusWidget() == barra && m_primaDelMenu)
        m_primaDelMenu->setFocus(Qt::OtherFocusReason);
    return tasto == Qt::Key_Escape;
}

void Form_gioco::creaPagine()
{
    QWidget *area = centralWidget();
    m_tabStrip = new TabStrip(area);
    m_tabStrip->resize(twips(kLarghezzaTab), twips(kAltezzaTab));
    connect(m_tabStrip, &TabStrip::Click, this,
            nelTurno(m_modulo, this, &Form_gioco::TabStrip1_Click));
    m_presentazione = new PaginaPresentazione(area);
    m_pagine = {m_presentazione, nullptr, nullptr, nullptr};
    mostraPagina(0);
}

// The "Gioca" and "Lotto" pages are made together the first time either is needed: a play
// empties the play list, a move changes the stake in play. They show the state the game has
// then.
void Form_gioco::creaPagineDiGioco()
{
    QWidget *area = centralWidget();
    m_gioca = new PaginaGioca(area);
    m_lotto = new PaginaLotto(m_esistenti, m_dagioca, area);
    m_insiemi = new ComandiInsiemi(m_lotto, m_partita, m_modulo, m_dialogo, this);
    m_comandoGioca = new ComandoGioca(m_gioca, m_partita, m_modulo, m_generatore, m_compagno, this);
    connect(m_insiemi, &ComandiInsiemi::statoCambiato, this, [this] { mostraStato(); });
    connect(m_comandoGioca, &ComandoGioca::contiCambiati, this, &Form_gioco::mostraConti);
    connect(m_comandoGioca, &ComandoGioca::partitaVinta, this, &Form_gioco::mnu_file_newgame_Click);
    connect(m_lotto, &PaginaLotto::nuovaSchedaChiesta, this,
            nelTurno(m_modulo, this, &Form_gioco::cmd_scheda_Click));
    connect(m_lotto, &PaginaLotto::schedinaChiesta, this,
            nelTurno(m_modulo, this, [this](PaginaLotto::Lista lista) {
                lista == PaginaLotto::Lista::Esistenti ? lst_esistenti_DblClick()
                                                       : lst_dagioca_DblClick();
            }));
    aggiungiPagina(1, m_gioca);
    aggiungiPagina(2, m_lotto);
    m_gioca->mostra(m_partita.conti(), m_puntiMostrati);
    m_lotto->mostra(m_partita.insieme());
}

void Form_gioco::aggiungiPagina(int indice, QGroupBox *pagina)
{
    pagina->hide();
    m_pagine[std::size_t(indice)] = pagina;
    collocaPagina(pagina);
    m_uscita->lower();
}

PaginaGioca *Form_gioco::paginaGioca()
{
    if (!m_gioca)
        creaPagineDiGioco();
    return m_gioca;
}

PaginaLotto *Form_gioco::paginaLotto()
{
    if (!m_lotto)
        creaPagineDiGioco();
    return m_lotto;
}

PaginaRegolamento *Form_gioco::paginaRegolamento()
{
    if (!m_regolamento) {
        m_regolamento = new PaginaRegolamento(centralWidget());
        aggiungiPagina(3, m_regolamento);
    }
    return m_regolamento;
}

void Form_gioco::creaUscitaNascosta()
{
    m_uscita = new QLabel(centralWidget());
    static const bool accessibile = [] {
        QAccessible::installFactory(UscitaAccessibile::crea);
        return true;
    }();
    Q_UNUSED(accessibile);
    m_uscita->setObjectName(QString::fromLatin1(kUscitaNascosta));
    m_uscita->setGeometry(twipsRect(1320, 0, 975, 495));
    m_uscita->setAccessibleName(QStringLiteral("Esci dal gioco"));
    m_uscita->installEventFilter(new FiltroUscita([this] { lbl_esci_Click(); }, this));
    // Where it meets the tab strip or a control, those take the click.
    m_uscita->lower();
}

// A page is made the first time it is shown.
void Form_gioco::mostraPagina(int indice)
{
    if (indice == 1 || indice == 2)
        paginaGioca();
    else if (indice == 3)
        paginaRegolamento();
    for (std::size_t i = 0; i < m_pagine.size(); ++i) {
        if (m_pagine[i])
            m_pagine[i]->setVisible(int(i) == indice);
    }
}

// A new game: no set, no tickets, the points and the result, nothing staked or won.
void Form_gioco::statoIniziale()
{
    m_partita.nuova();
    if (m_lotto) {
        m_lotto->mostra(m_partita.insieme());
        m_lotto->suggerisci(PaginaLotto::kMessaggioIniziale);
    }
    if (m_gioca)
        m_gioca->mostraFonte(m_partita.estrazioniVere());
}

void Form_gioco::Form_Load()
{
    m_modulo.impostaSuoni(true, false);
    statoIniziale();
    m_puntiMostrati = m_partita.conti().punti; // the caption changes only once the window is active
    SuonaEvento(m_modulo, Evento::ProgrammaAvviato);
}

void Form_gioco::Form_Activate()
{
    mostraStato();
}

void Form_gioco::mostraStato()
{
    mostraConti(m_partita.conti(), true);
}

void Form_gioco::mostraConti(const Partita::Conti &conti, bool ancheIPunti)
{
    if (ancheIPunti) {
        m_puntiMostrati = conti.punti;
        setWindowTitle(QString::fromUtf8(kCaptionCredito) + testoNumero(conti.punti));
    }
    if (m_gioca)
        m_gioca->mostra(conti, m_puntiMostrati);
}

// Everything about the window's centre, whatever its size; the viewer is placed with it.
double Form_gioco::scalaPerLoSchermo(const QRect &disponibile)
{
    // As drawn, with room for a menu bar and a window manager's frame.
    constexpr double kLarghezza = 10875 / 15.0 + 10;
    constexpr double kAltezza = 7950 / 15.0 + 64;
    return std::min({1.0, disponibile.width() / kLarghezza, disponibile.height() / kAltezza});
}

void Form_gioco::Form_Resize()
{
    // The strip is centred on the window's outer size, frame and menu bar included: the inner
    // area is kept wide and tall enough for it to lie wholly inside.
    const QSize fuori = frameGeometry().size() - centralWidget()->size();
    const QSize serve = centralWidget()->minimumSize().expandedTo(m_tabStrip->size() + fuori);
    if (serve != centralWidget()->minimumSize())
        centralWidget()->setMinimumSize(serve);
    m_disposta = frameGeometry().size();
    const int larghezza = frameGeometry().width();
    const int altezza = frameGeometry().height();
    const int altoSchede = altezza / 2 - m_tabStrip->height() / 2;
    const int sinistraSchede = larghezza / 2 - m_tabStrip->width() / 2;
    m_tabStrip->move(sinistraSchede, altoSchede);
    for (QGroupBox *pagina : m_pagine) {
        if (pagina)
            collocaPagina(pagina);
    }
    // The viewer is made when first shown; until then there is nothing to place.
    if (m_visore)
        m_visore->move(posizioneSchede());
}

// A page stands 100 twips inside the tab strip, centred in height on the window.
void Form_gioco::collocaPagina(QGroupBox *pagina)
{
    const int altezza = frameGeometry().height();
    pagina->move(m_tabStrip->x() + twips(100), altezza / 2 - pagina->height() / 2 + twips(100));
}

QPoint Form_gioco::posizioneSchede() const
{
    return m_tabStrip->pos() + QPoint(twips(400), twips(2500));
}

void Form_gioco::mnu_file_newgame_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] {
        statoIniziale();
        mostraStato();
        SuonaEvento(m_modulo, Evento::NuovaPartita);
        dopo(m_modulo, this, [this] { mostraPagina(0); });
    });
}

void Form_gioco::cmd_esci_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    SuonaEvento(m_modulo, Evento::MenuEsci);
}

void Form_gioco::mnu_cmd_suoni_Click()
{
    m_mnuSuoni->setText(testoQt(InterruttoriSuoni::commutaSuoni(m_modulo)));
}

void Form_gioco::mnu_cmd_spirito_Click()
{
    m_mnuSpirito->setText(testoQt(InterruttoriSuoni::commutaSpirito(m_modulo)));
}

void Form_gioco::lbl_esci_Click()
{
    SuonaEvento(m_modulo, Evento::UscitaNascosta);
    dopo(m_modulo, this, [this] { Q_EMIT fineProgramma(); });
}

void Form_gioco::TabStrip1_Click(int numero)
{
    constexpr Evento kAnnunci[] = {Evento::TabPresentazione, Evento::TabGioca, Evento::TabLotto,
                                   Evento::TabRegolamento};
    mostraPagina(numero - 1);
    SuonaEvento(m_modulo, kAnnunci[numero - 1]);
}

form_guarda *Form_gioco::visore()
{
    if (m_visore)
        return m_visore;
    m_visore = new form_guarda(m_partita, m_modulo, this);
    m_visore->move(posizioneSchede());
    connect(m_visore, &form_guarda::attivata, this, [this] { m_visore->move(posizioneSchede()); });
    connect(m_visore, &form_guarda::modificaChiesta, this,
            [this](std::uint64_t record, const std::optional<Schedina> &scheda) {
                m_partita.modifica(record);
                editor()->modifica(scheda);
            });
    return m_visore;
}

Form_schede *Form_gioco::editor()
{
    if (m_editor)
        return m_editor;
    m_editor = new Form_schede(m_partita, m_modulo, this);
    m_editor->leggiTitoloOriginale([this] { return visore()->titolo(); });
    connect(m_editor, &Form_schede::attivata, this, [this] { m_editor->move(posizioneSchede()); });
    connect(m_editor, &Form_schede::schedinaSalvata, this, [this](const QString &titolo) {
        m_partita.aggiuntaSchedina(
            CodePage1252::encodeFromUtf8(titolo.toStdString(), Schedina::kLunghezzaTitolo));
        paginaLotto()->suggerisci(PaginaLotto::kMessaggioDoppioClic);
    });
    return m_editor;
}

// A new ticket is written only into an open set.
void Form_gioco::cmd_scheda_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] {
        if (!m_partita.insiemeAperto())
            return SuonaOMostra(m_modulo, Evento::SchedaSenzaInsieme);
        m_partita.modifica(0);
        editor()->nuovaScheda();
    });
}

void Form_gioco::lst_esistenti_DblClick()
{
    visore()->mostra(paginaLotto()->voceCorrente(PaginaLotto::Lista::Esistenti), true);
}

void Form_gioco::lst_dagioca_DblClick()
{
    visore()->mostra(paginaLotto()->voceCorrente(PaginaLotto::Lista::DaGioca), false);
}

bool Form_gioco::event(QEvent *evento)
{
    if (evento->type() == QEvent::WindowActivate)
        Form_Activate();
    const bool gestito = QMainWindow::event(evento);
    // The window manager adds its frame after the first layout: once the outer size is known
    // anew, the content is laid out again, so that every layout agrees.
    switch (evento->type()) {
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::WindowActivate:
    case QEvent::WindowStateChange:
        if (frameGeometry().size() != m_disposta)
            Form_Resize();
        break;
    default:
        break;
    }
    return gestito;
}

void Form_gioco::resizeEvent(QResizeEvent *evento)
{
    QMainWindow::resizeEvent(evento);
    Form_Resize();
}

void Form_gioco::closeEvent(QCloseEvent *evento)
{
    evento->accept();
    Q_EMIT fineProgramma();
}
