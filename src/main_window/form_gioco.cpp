#include "form_gioco.h"

#include "editor/form_schede.h"
#include "main_window/comandiinsiemi.h"
#include "main_window/comandogioca.h"
#include "main_window/listaschede.h"
#include "main_window/modelloschede.h"
#include "main_window/paginagioca.h"
#include "main_window/paginalotto.h"
#include "main_window/paginapresentazione.h"
#include "main_window/paginaregolamento.h"
#include "main_window/tabstrip.h"
#include "shared/modulo.h"
#include "shared/text.h"
#include "sound/interruttorisuoni.h"
#include "sound/suonaomostra.h"
#include "storage/cacheinsieme.h"
#include "viewer/form_guarda.h"
#include "widgets/stilegioco.h"
#include "widgets/testonumero.h"
#include "widgets/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

namespace {

using catalogo::Evento;

constexpr int kLarghezzaTab = 10455;
constexpr int kAltezzaTab = 7335;

// Labels of the exit area have no click of their own.
class FiltroUscita : public QObject
{
public:
    FiltroUscita(Form_gioco *window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        m_window->lbl_esci_Click();
        return true;
    }

private:
    Form_gioco *m_window;
};

} // namespace

Form_gioco::Form_gioco(Modulo &modulo, DialogoFile &dialogo, GeneratoreCasuale &generatore,
                       QWidget *parent)
    : QMainWindow(parent), m_modulo(modulo), m_insiemeLetto(std::make_unique<CacheInsieme>())
{
    setObjectName(QStringLiteral("Form_gioco"));
    setWindowTitle(QStringLiteral("IL NUOVO LOTTO"));
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("area"));
    setCentralWidget(area);
    creaMenu();
    creaPagine();
    creaUscitaNascosta();
    m_insiemi = new ComandiInsiemi(m_lotto, m_gioca, modulo, dialogo, *m_insiemeLetto, this);
    m_comandoGioca = new ComandoGioca(m_gioca, m_lotto, modulo, generatore, *m_insiemeLetto, this);
    connect(m_insiemi, &ComandiInsiemi::puntiCambiati, this, &Form_gioco::mostraPunti);
    connect(m_comandoGioca, &ComandoGioca::puntiCambiati, this, &Form_gioco::mostraPunti);
    connect(m_comandoGioca, &ComandoGioca::partitaVinta, this, &Form_gioco::mnu_file_newgame_Click);
    connect(m_lotto->cmd_scheda, &QPushButton::clicked, this, &Form_gioco::cmd_scheda_Click);
    connect(m_lotto->lst_esistenti, &ListaSchede::DblClick, this,
            &Form_gioco::lst_esistenti_DblClick);
    connect(m_lotto->lst_dagioca, &ListaSchede::DblClick, this, &Form_gioco::lst_dagioca_DblClick);
    area->setMinimumSize(twips(10875), twips(7950));
    resize(area->minimumSize() + QSize(0, menuBar()->sizeHint().height()));
    Form_Load();
}

Form_gioco::~Form_gioco() = default;

void Form_gioco::creaMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("mnu_file"));
    QAction *newGame = file->addAction(QStringLiteral("Nuova partita"));
    newGame->setObjectName(QStringLiteral("mnu_file_newgame"));
    connect(newGame, &QAction::triggered, this, &Form_gioco::mnu_file_newgame_Click);
    QAction *exit = file->addAction(QStringLiteral("Esci"));
    exit->setObjectName(QStringLiteral("cmd_esci"));
    connect(exit, &QAction::triggered, this, &Form_gioco::cmd_esci_Click);

    QMenu *options = menuBar()->addMenu(QStringLiteral("Opzioni"));
    options->setObjectName(QStringLiteral("cmd_option"));
    m_mnuSuoni = options->addAction(testoQt(InterruttoriSuoni::kDisabilita));
    m_mnuSuoni->setObjectName(QStringLiteral("mnu_cmd_suoni"));
    connect(m_mnuSuoni, &QAction::triggered, this, &Form_gioco::mnu_cmd_suoni_Click);
    m_mnuSpirito = options->addAction(testoQt(InterruttoriSuoni::kSpiritosiIniziale));
    m_mnuSpirito->setObjectName(QStringLiteral("mnu_cmd_spirito"));
    connect(m_mnuSpirito, &QAction::triggered, this, &Form_gioco::mnu_cmd_spirito_Click);

    QAction *about = menuBar()->addAction(QStringLiteral("?"));
    about->setObjectName(QStringLiteral("mnu_about"));
}

void Form_gioco::creaPagine()
{
    QWidget *area = centralWidget();
    m_tabStrip = new TabStrip(area);
    m_tabStrip->resize(twips(kLarghezzaTab), twips(kAltezzaTab));
    connect(m_tabStrip, &TabStrip::Click, this, &Form_gioco::TabStrip1_Click);
    m_presentazione = new PaginaPresentazione(area);
    m_gioca = new PaginaGioca(area);
    m_lotto = new PaginaLotto(area);
    m_regolamento = new PaginaRegolamento(area);
    m_pagine = {m_presentazione, m_gioca, m_lotto, m_regolamento};
    mostraPagina(0);
}

void Form_gioco::creaUscitaNascosta()
{
    auto *exitArea = new QLabel(centralWidget());
    exitArea->setObjectName(QStringLiteral("lbl_esci"));
    exitArea->setGeometry(twipsRect(1320, 0, 975, 495));
    exitArea->setAccessibleName(QStringLiteral("Esci dal gioco"));
    exitArea->installEventFilter(new FiltroUscita(this));
    exitArea->raise();
}

void Form_gioco::mostraPagina(int indice)
{
    for (int i = 0; i < 4; ++i)
        m_pagine[i]->setVisible(i == indice);
}

void Form_gioco::statoIniziale()
{
    m_modulo.file_insieme = std::string(Modulo::kNessunFile);
    stile::scrivi(m_lotto->lbl_filelottoschede, testoQt(Modulo::kNessunFile));
    m_modulo.punti = Currency::fromRaw(Modulo::kPuntiIniziali * Currency::kScale);
    m_modulo.situazione = 0;
    stile::scrivi(m_gioca->lbl_situazione, testoNumero(m_modulo.situazione));
    stile::scrivi(m_gioca->lbl_somma, QStringLiteral("0"));
    m_modulo.pos_modifica = 0;
    stile::scrivi(m_gioca->lbl_vincita, QStringLiteral("0"));
    stile::scrivi(m_gioca->lbl_punti, testoNumero(m_modulo.punti));
}

void Form_gioco::Form_Load()
{
    m_modulo.suoni_attivi = 1;
    m_modulo.suoni_spiritosi = 0;
    m_modulo.blocca_eventi = 0;
    statoIniziale();
    SuonaEvento(m_modulo, Evento::ProgrammaAvviato);
    stile::scrivi(m_lotto->lbl_messaggio, QString::fromUtf8(PaginaLotto::kMessaggioIniziale));
}

void Form_gioco::Form_Activate()
{
    mostraPunti();
}

void Form_gioco::mostraPunti()
{
    stile::scrivi(m_gioca->lbl_punti, testoNumero(m_modulo.punti));
    setWindowTitle(QString::fromUtf8(kCaptionCredito) + testoNumero(m_modulo.punti));
}

// Everything about the window's centre, whatever its size; the viewer is placed with it.
void Form_gioco::Form_Resize()
{
    const int width = frameGeometry().width();
    const int height = frameGeometry().height();
    const int tabTop = height / 2 - m_tabStrip->height() / 2;
    const int tabLeft = width / 2 - m_tabStrip->width() / 2;
    m_tabStrip->move(tabLeft, tabTop);
    for (QGroupBox *page : m_pagine)
        page->move(tabLeft + twips(100), height / 2 - page->height() / 2 + twips(100));
    visore()->move(posizioneSchede());
}

QPoint Form_gioco::posizioneSchede() const
{
    return m_tabStrip->pos() + QPoint(twips(400), twips(2500));
}

void Form_gioco::mnu_file_newgame_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    m_modulo.punti = Currency::fromRaw(Modulo::kPuntiIniziali * Currency::kScale);
    m_lotto->lst_dagioca->modello()->svuota();
    m_lotto->lst_esistenti->modello()->svuota();
    statoIniziale();
    stile::scrivi(m_lotto->lbl_messaggio, QString::fromUtf8(PaginaLotto::kMessaggioIniziale));
    mostraPunti();
    SuonaEvento(m_modulo, Evento::NuovaPartita);
    mostraPagina(0);
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
    Q_EMIT fineProgramma();
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
    m_visore = new form_guarda(m_modulo, this);
    connect(m_visore, &form_guarda::attivata, this, [this] { m_visore->move(posizioneSchede()); });
    connect(m_visore, &form_guarda::modificaChiesta, this, [this] {
        Form_schede *form = editor();
        form->prendiDalVisore();
        form->show();
    });
    return m_visore;
}

Form_schede *Form_gioco::editor()
{
    if (m_editor)
        return m_editor;
    m_editor = new Form_schede(m_modulo, visore()->campi, this);
    connect(m_editor, &Form_schede::attivata, this, [this] { m_editor->move(posizioneSchede()); });
    connect(m_editor, &Form_schede::schedinaRiscritta, this, &Form_gioco::togliSchedina);
    connect(m_editor, &Form_schede::schedinaSalvata, this, [this](const QString &titolo) {
        m_lotto->lst_esistenti->modello()->aggiungi({titolo});
        stile::scrivi(m_lotto->lbl_messaggio, QString::fromUtf8(PaginaLotto::kMessaggioDoppioClic));
    });
    return m_editor;
}

// A changed ticket's old entry leaves the list of existing tickets: the first whose title,
// trimmed, is the old title, trimmed. It comes back at the end under its new title.
void Form_gioco::togliSchedina(const QString &titoloVecchio)
{
    ListaSchede *list = m_lotto->lst_esistenti;
    const std::string old(trimSpaces(titoloVecchio.toStdString()));
    for (qsizetype row = 0; row < list->voci().size(); ++row) {
        if (trimSpaces(list->voci()[row].toStdString()) == old) {
            list->modello()->rimuovi({int(row)});
            return;
        }
    }
}

// A new ticket is written only into an open set.
void Form_gioco::cmd_scheda_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    if (!m_modulo.insiemeAperto()) {
        SuonaOMostra(m_modulo, Evento::SchedaSenzaInsieme);
        return;
    }
    Form_schede *form = editor();
    form->show();
    form->raise();
    form->activateWindow();
    form->cmd_pulisci_Click();
    form->cmd_salvasche->setEnabled(true);
    m_modulo.pos_modifica = 0;
}

void Form_gioco::lst_esistenti_DblClick()
{
    visore()->mostra(m_lotto->lst_esistenti->voceCorrente(), true);
}

void Form_gioco::lst_dagioca_DblClick()
{
    visore()->mostra(m_lotto->lst_dagioca->voceCorrente(), false);
}

bool Form_gioco::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QMainWindow::event(event);
}

void Form_gioco::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Form_gioco::closeEvent(QCloseEvent *event)
{
    event->accept();
    Q_EMIT fineProgramma();
}
