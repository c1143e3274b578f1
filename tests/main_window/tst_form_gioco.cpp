#include "main_window/form_gioco.h"
#include "main_window/listaschede.h"
#include "main_window/modelloschede.h"
#include "main_window/paginagioca.h"
#include "main_window/paginalotto.h"
#include "main_window/paginaregolamento.h"
#include "main_window/tabstrip.h"
#include "widgets/twips.h"
#include "support/partitadiprova.h"
#include "viewer/form_guarda.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>

// The main window as the player meets it: start-up, menus, sounds, tabs, rules and layout.
class tst_Form_gioco : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void freshStart();
    void activationShowsPointsChangedElsewhere_data();
    void activationShowsPointsChangedElsewhere();
    void soundsOffSilencesEverythingAfter();
    void setSwitchCaptionsCycle();
    void esciNeverCloses_data();
    void esciNeverCloses();
    void hiddenExitAreaEndsTheProgram();
    void closingEndsTheProgramSilently();
    void tabClickShowsAndAnnounces_data();
    void tabClickShowsAndAnnounces();
    void newGameShowsFirstPageUnderAnyTab();
    void rulesPagesLeafed_data();
    void rulesPagesLeafed();
    void layoutKeepsTabStripCentred_data();
    void layoutKeepsTabStripCentred();

private:
    QString label(const char *name) const;
    QAction *action(const char *name) const;
    int visiblePage() const;

    std::unique_ptr<PartitaDiProva> m_game;
    // Short names for the game's parts.
    FakeRiproduttore *m_player = nullptr;
    FakeAvvisi *m_boxes = nullptr;
    Modulo *m_modulo = nullptr;
    Form_gioco *m_window = nullptr;
};

namespace {

const QString kClick = "Lotto\\click.wav";
const QString kStart = "Lotto\\inizio_programma.wav";
const QString kGreeting = "Aggiunte\\Spiritose\\il lotto quando vuoi da normalizzare.wav";
const QString kFine = "Aggiunte\\Spiritose\\fine.wav";

void activate(QWidget *window)
{
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(window, &activation);
}

} // namespace

void tst_Form_gioco::init()
{
    m_game = std::make_unique<PartitaDiProva>();
    m_player = &m_game->player;
    m_boxes = &m_game->boxes;
    m_modulo = &m_game->modulo;
    m_window = &m_game->window;
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    activate(m_window);
}

void tst_Form_gioco::cleanup()
{
    QVERIFY(m_boxes->boxes().isEmpty());
    m_game.reset();
}

QString tst_Form_gioco::label(const char *name) const
{
    auto *found = m_window->findChild<QLabel *>(QString::fromLatin1(name));
    return found ? found->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
}

QAction *tst_Form_gioco::action(const char *name) const
{
    return m_window->findChild<QAction *>(QString::fromLatin1(name));
}

int tst_Form_gioco::visiblePage() const
{
    int visible = -1;
    for (int i = 0; i < 4; ++i) {
        if (m_window->findChild<QGroupBox *>(QStringLiteral("frmLotto_%1").arg(i))->isVisible())
            visible = visible == -1 ? i : -2; // -2: more than one
    }
    return visible;
}

void tst_Form_gioco::freshStart()
{
    QCOMPARE(m_player->take(), (QStringList{kStart, kGreeting}));
    QCOMPARE(label("lbl_punti"), QString("10000"));
    QCOMPARE(label("lbl_somma"), QString("0"));
    QCOMPARE(label("lbl_vincita"), QString("0"));
    QCOMPARE(label("lbl_situazione"), QString("0"));
    QCOMPARE(label("lbl_filelottoschede"), QString("Nessun file caricato"));
    QCOMPARE(label("lbl_messaggio"), QString("Per iniziare a giocare carica un insieme di "
                                             "schedine oppure creane un insieme nuovo"));
    QCOMPARE(m_window->windowTitle(),
             QString::fromUtf8("Il nuovo videogioco del lotto!! ........  Questo è il tuo "
                               "credito: 10000"));
    QCOMPARE(m_window->tabStrip()->selezionata(), 1);
    QCOMPARE(visiblePage(), 0);
    QCOMPARE(action("mnu_cmd_suoni")->text(), QString("Disabilita i suoni"));
    QCOMPARE(action("mnu_cmd_spirito")->text(), QString("Suoni Spiritosi"));
    QCOMPARE(m_modulo->file_insieme, std::string("Nessun file caricato"));
    QVERIFY(m_window->visore() && !m_window->visore()->isVisible());
}

void tst_Form_gioco::activationShowsPointsChangedElsewhere_data()
{
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("shown");
    QTest::newRow("whole points") << qint64(99950000) << "C"
                                  << "9995";
    QTest::newRow("points with a fraction") << qint64(99955000) << "C"
                                            << "9995.5";
    QTest::newRow("italian decimal comma") << qint64(99955000) << "it_IT"
                                           << "9995,5";
}

void tst_Form_gioco::activationShowsPointsChangedElsewhere()
{
    QFETCH(qint64, raw);
    QFETCH(QString, locale);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(locale));
    m_modulo->punti = Currency::fromRaw(raw);
    activate(m_window);
    QCOMPARE(label("lbl_punti"), shown);
    QVERIFY(m_window->windowTitle().endsWith(QString::fromUtf8("credito: ") + shown));
}

void tst_Form_gioco::soundsOffSilencesEverythingAfter()
{
    m_player->take();
    action("mnu_cmd_suoni")->trigger();
    QCOMPARE(m_player->take(), QStringList{kClick});
    QCOMPARE(action("mnu_cmd_suoni")->text(), QString("Riabilita i suoni"));
    action("cmd_esci")->trigger();
    action("mnu_file_newgame")->trigger();
    m_window->TabStrip1_Click(3);
    QVERIFY(m_player->suonati().isEmpty());
    QCOMPARE(visiblePage(), 2); // captions and pages still change
    action("mnu_cmd_suoni")->trigger();
    QVERIFY(m_player->suonati().isEmpty());
    QCOMPARE(action("mnu_cmd_suoni")->text(), QString("Disabilita i suoni"));
    action("cmd_esci")->trigger();
    QCOMPARE(m_player->take(), (QStringList{kClick, kFine}));
}

void tst_Form_gioco::setSwitchCaptionsCycle()
{
    QStringList captions;
    for (int i = 0; i < 3; ++i) {
        action("mnu_cmd_spirito")->trigger();
        captions << action("mnu_cmd_spirito")->text();
    }
    QCOMPARE(captions, (QStringList{"Suoni normali", "Suoni spiritosi", "Suoni normali"}));
}

void tst_Form_gioco::esciNeverCloses_data()
{
    QTest::addColumn<bool>("joking");
    QTest::addColumn<QStringList>("played");
    QTest::newRow("normal set") << false << QStringList{kClick, kFine};
    QTest::newRow("joking set") << true
                                << QStringList{kClick, "Lotto\\Errore_Nooo_non_puoi.wav",
                                               "Aggiunte\\Spiritose\\non_uscire.wav", kFine};
}

void tst_Form_gioco::esciNeverCloses()
{
    QFETCH(bool, joking);
    QFETCH(QStringList, played);
    m_modulo->suoni_spiritosi = joking ? 1 : 0;
    QSignalSpy end(m_window, &Form_gioco::fineProgramma);
    m_player->take();
    action("cmd_esci")->trigger();
    QCOMPARE(m_player->take(), played);
    QVERIFY(m_window->isVisible());
    QCOMPARE(end.count(), 0);
}

void tst_Form_gioco::hiddenExitAreaEndsTheProgram()
{
    QSignalSpy end(m_window, &Form_gioco::fineProgramma);
    m_player->take();
    auto *exitArea = m_window->findChild<QLabel *>(QStringLiteral("lbl_esci"));
    QCOMPARE(exitArea->geometry(), twipsRect(1320, 0, 975, 495));
    QTest::mouseClick(exitArea, Qt::LeftButton);
    QCOMPARE(m_player->take(), QStringList{"Aggiunte\\Spiritose\\visiiii.wav"});
    QCOMPARE(end.count(), 1);
}

void tst_Form_gioco::closingEndsTheProgramSilently()
{
    QSignalSpy end(m_window, &Form_gioco::fineProgramma);
    m_player->take();
    m_window->close();
    QCOMPARE(end.count(), 1);
    QVERIFY(m_player->suonati().isEmpty());
}

void tst_Form_gioco::tabClickShowsAndAnnounces_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("joking");
    QTest::addColumn<QString>("played");
    QTest::newRow("Gioca") << 2 << false << "Lotto\\lotto_gioca.wav";
    QTest::newRow("Lotto") << 3 << false << "Lotto\\inizio_lotto.wav";
    QTest::newRow("Regolamento") << 4 << false << "regolamento\\inizio_regolamento.wav";
    QTest::newRow("the tab already selected") << 1 << false << kStart;
    QTest::newRow("Lotto, joking set: only the click") << 3 << true << kClick;
}

void tst_Form_gioco::tabClickShowsAndAnnounces()
{
    QFETCH(int, tab);
    QFETCH(bool, joking);
    QFETCH(QString, played);
    m_modulo->suoni_spiritosi = joking ? 1 : 0;
    m_player->take();
    QTabBar *tabs = m_window->tabStrip()->tabs();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab - 1).center());
    QCOMPARE(m_player->take(), QStringList{played});
    QCOMPARE(visiblePage(), tab - 1);
    QCOMPARE(m_window->tabStrip()->selezionata(), tab);
    // A click beside the tabs does nothing.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, QPoint(tabs->width() - 2, 2));
    QVERIFY(m_player->suonati().isEmpty());
}

void tst_Form_gioco::newGameShowsFirstPageUnderAnyTab()
{
    QTabBar *tabs = m_window->tabStrip()->tabs();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    m_window->paginaLotto()->lst_esistenti->modello()->aggiungi({"Prova               "});
    m_window->paginaLotto()->lst_dagioca->modello()->aggiungi({"Altra               "});
    m_modulo->punti = Currency::fromRaw(123450000);
    m_modulo->situazione = -42;
    m_modulo->file_insieme = "/tmp/set.slott";
    m_player->take();

    action("mnu_file_newgame")->trigger();
    QCOMPARE(m_player->take(),
             (QStringList{kClick, kStart, kGreeting, "Lotto\\nuova_partita.wav"}));
    QCOMPARE(visiblePage(), 0);
    QCOMPARE(m_window->tabStrip()->selezionata(), 3);
    QCOMPARE(m_window->paginaLotto()->lst_esistenti->count(), 0);
    QCOMPARE(m_window->paginaLotto()->lst_dagioca->count(), 0);
    QCOMPARE(label("lbl_punti"), QString("10000"));
    QCOMPARE(label("lbl_situazione"), QString("0"));
    QCOMPARE(label("lbl_filelottoschede"), QString("Nessun file caricato"));
    QVERIFY(m_window->windowTitle().endsWith(QString::fromUtf8("credito: 10000")));
    QCOMPARE(m_modulo->file_insieme, std::string("Nessun file caricato"));

    // A later click on the selected tab brings page and tab together again.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    QCOMPARE(visiblePage(), 2);
    QCOMPARE(m_player->take(), QStringList{"Lotto\\inizio_lotto.wav"});
}

void tst_Form_gioco::rulesPagesLeafed_data()
{
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("straight to page 3") << QList<int>{2};
    QTest::newRow("dragged through every page") << QList<int>{1, 2, 3};
    QTest::newRow("back to the first") << QList<int>{3, 0};
}

void tst_Form_gioco::rulesPagesLeafed()
{
    QFETCH(QList<int>, values);
    m_window->TabStrip1_Click(4);
    PaginaRegolamento *rules = m_window->paginaRegolamento();
    for (int value : values) {
        rules->VScroll->setValue(value);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(rules->OLE[i]->isVisibleTo(rules), i == value);
    }
    for (QTextBrowser *page : rules->OLE) {
        QVERIFY(page->isReadOnly());
        QVERIFY(page->toPlainText().contains(QStringLiteral("LE REGOLE DEL GIOCO")));
    }
}

void tst_Form_gioco::layoutKeepsTabStripCentred_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("as drawn") << QSize();
    QTest::newRow("wider and taller") << QSize(1200, 900);
    QTest::newRow("much wider") << QSize(1600, 620);
}

void tst_Form_gioco::layoutKeepsTabStripCentred()
{
    QFETCH(QSize, size);
    if (size.isValid())
        m_window->resize(size);
    QVERIFY(QTest::qWaitFor([&] { return !size.isValid() || m_window->size() == size; }));
    const QRect outer = m_window->frameGeometry();
    const QWidget *strip = m_window->tabStrip();
    QVERIFY(qAbs(strip->geometry().center().x() - outer.width() / 2) <= 1);
    QVERIFY(qAbs(strip->geometry().center().y() - outer.height() / 2) <= 1);
    for (int i = 0; i < 4; ++i) {
        auto *page = m_window->findChild<QGroupBox *>(QStringLiteral("frmLotto_%1").arg(i));
        QCOMPARE(page->x(), strip->x() + twips(100));
        QCOMPARE(page->y(), outer.height() / 2 - page->height() / 2 + twips(100));
    }
    const form_guarda *viewer = m_window->visore();
    QCOMPARE(viewer->pos(), strip->pos() + QPoint(twips(400), twips(2500)));
    QVERIFY(!viewer->isVisible());
}

QTEST_MAIN(tst_Form_gioco)
#include "tst_form_gioco.moc"
