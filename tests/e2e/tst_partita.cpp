#include "editor/form_schede.h"
#include "main_window/listaschede.h"
#include "main_window/paginagioca.h"
#include "main_window/paginalotto.h"
#include "widgets/stilegioco.h"
#include "main_window/tabstrip.h"
#include "support/partitadiprova.h"
#include "support/setfiles.h"
#include "viewer/form_guarda.h"

#include <QCheckBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// A whole game played through the real windows, as a player would: a new set, three tickets
// written, one viewed and changed, two played; then a game lost at 0 points and one won above
// ten million. Run offscreen and on a real X server, where it also takes screenshots.
class tst_Partita : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void aWholeGame();
    void aGameLostAtZero();
    void aGameWonAboveTenMillion();

private:
    void newSetWithThreeTickets();
    void writeTicket(const QString &title, const QStringList &numbers, int wheel,
                     const QMap<int, QString> &stakes);
    void choose(const QList<int> &rows);
    void play(const QMap<int, QList<int>> &drawn);
    void checkLabels(const QString &punti, const QString &somma, const QString &situazione,
                     const QString &vincita);
    QStringList entries(ListaSchede *list) const;
    void screenshot(QWidget *widget, const QString &name);
    QString setPath() const { return m_dir.filePath(QStringLiteral("partita.slott")); }

    QTemporaryDir m_dir;
    std::unique_ptr<PartitaDiProva> m_game;
    PaginaLotto *m_lotto = nullptr;
};

namespace {

QStringList g_warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings << message;
}

QString padded(const char *title)
{
    return QString::fromLatin1(title).leftJustified(20, u' ');
}

} // namespace

void tst_Partita::initTestCase()
{
    qInstallMessageHandler(collectWarnings);
    stile::installaSostituzioniCaratteri();
}

void tst_Partita::cleanupTestCase()
{
    qInstallMessageHandler(nullptr);
    // On a real X server the windows must show without a single warning.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join('\n')));
}

QStringList tst_Partita::entries(ListaSchede *list) const
{
    return list->voci();
}

void tst_Partita::screenshot(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("ZAFFIRONE_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QVERIFY(widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
}

void tst_Partita::checkLabels(const QString &punti, const QString &somma, const QString &situazione,
                              const QString &vincita)
{
    PaginaGioca *page = m_game->window.paginaGioca();
    QCOMPARE(page->lbl_punti->text(), punti);
    QCOMPARE(page->lbl_somma->text(), somma);
    QCOMPARE(page->lbl_situazione->text(), situazione);
    QCOMPARE(page->lbl_vincita->text(), vincita);
    QCOMPARE(m_game->window.windowTitle(),
             QString::fromUtf8("Il nuovo videogioco del lotto!! ........  Questo è il tuo "
                               "credito: ") +
                 punti);
}

void tst_Partita::writeTicket(const QString &title, const QStringList &numbers, int wheel,
                              const QMap<int, QString> &stakes)
{
    m_lotto->cmd_scheda->click();
    Form_schede *editor = m_game->window.editor();
    QTRY_VERIFY(editor->isVisible());
    QTest::keyClicks(editor->txt_titolo, title);
    for (int i = 0; i < numbers.size(); ++i)
        QTest::keyClicks(editor->txt_num[i], numbers[i]);
    QTest::mouseClick(editor->chk_ruote[wheel], Qt::LeftButton);
    for (auto it = stakes.begin(); it != stakes.end(); ++it) {
        QTest::mouseClick(editor->chk_giocata[it.key()], Qt::LeftButton);
        QTest::keyClicks(editor->txt_puntata[it.key()], it.value());
    }
    editor->cmd_salvasche->click();
    QVERIFY(!editor->isVisible());
}

void tst_Partita::newSetWithThreeTickets()
{
    m_game = std::make_unique<PartitaDiProva>();
    m_lotto = m_game->window.paginaLotto();
    QVERIFY(QTest::qWaitForWindowExposed(&m_game->window));
    m_game->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_game->window));
    QFile::remove(setPath());
    m_game->dialog.scegli(setPath());
    m_lotto->cmd_newinsie->click();
    QCOMPARE(m_lotto->lbl_filelottoschede->text(), "File caricato : " + setPath());
    QCOMPARE(readBytes(setPath()), QByteArray());

    writeTicket("Ambo Bari", {"12", "34"}, 0, {{1, "5"}});
    QCOMPARE(readBytes(setPath()).size(), 126);
    writeTicket("Terno Roma", {"1", "2", "3"}, 7, {{0, "1"}, {2, "2"}});
    writeTicket("Tutte", {"45"}, 10, {{0, "10"}});
    QCOMPARE(readBytes(setPath()).size(), 3 * 126);
    QCOMPARE(entries(m_lotto->lst_esistenti),
             (QStringList{padded("Ambo Bari"), padded("Terno Roma"), padded("Tutte")}));
    QCOMPARE(m_lotto->lbl_messaggio->text(),
             QString("Per visualizzare la schedina fare doppio clic sulla schedina"));
    checkLabels("10000", "0", "0", "0");
}

void tst_Partita::choose(const QList<int> &rows)
{
    ListaSchede *list = m_lotto->lst_esistenti;
    list->clearSelection();
    for (int row : rows)
        list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::Select);
    m_lotto->cmd_destra->click();
}

void tst_Partita::play(const QMap<int, QList<int>> &drawn)
{
    m_game->generatore.ruote(drawn);
    m_game->window.paginaGioca()->cmd_gioca->click();
}

void tst_Partita::aWholeGame()
{
    newSetWithThreeTickets();
    const QByteArray written = readBytes(setPath());

    // View the second ticket and raise its Estratto stake from 1 to 3.
    ListaSchede *list = m_lotto->lst_esistenti;
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualRect(list->currentIndex()).center());
    form_guarda *viewer = m_game->window.visore();
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->txt_puntata1[2]->text(), QString("2"));
    screenshot(viewer, QStringLiteral("visore"));
    viewer->cmd_modifica->click();
    Form_schede *editor = m_game->window.editor();
    QVERIFY(editor->isVisible());
    screenshot(editor, QStringLiteral("editor"));
    editor->txt_puntata[0]->clear();
    QTest::keyClicks(editor->txt_puntata[0], "3");
    editor->cmd_salvasche->click();
    const QByteArray changed = readBytes(setPath());
    QCOMPARE(changed.left(126), written.left(126));
    QCOMPARE(changed.mid(126 + 78, 8), QByteArray::fromHex("3075000000000000"));
    QCOMPARE(changed.mid(252), written.mid(252));
    QCOMPARE(entries(list),
             (QStringList{padded("Ambo Bari"), padded("Tutte"), padded("Terno Roma")}));

    // Two tickets chosen: 5 and 3 + 2.
    choose({0, 2});
    checkLabels("9990", "10", "-10", "0");
    QCOMPARE(entries(m_lotto->lst_dagioca),
             (QStringList{padded("Ambo Bari"), padded("Terno Roma")}));

    m_game->player.take();
    play({{0, {12, 34}}, {7, {1}}});
    QCOMPARE(m_game->player.take(),
             (QStringList{"Lotto\\click.wav", "Ruote e Vincite\\ambo_bari.wav",
                          "Ruote e Vincite\\estratto_roma.wav"}));
    // Ambo on Bari pays 5 x 250 = 1250; the Estratto on Roma 3 x 3.7 x 3 = 33.3, so 33.
    checkLabels("11273", "0", "1273", "1283");
    QCOMPARE(entries(m_lotto->lst_dagioca), QStringList{});
    QCOMPARE(entries(list),
             (QStringList{padded("Tutte"), padded("Ambo Bari"), padded("Terno Roma")}));
    QCOMPARE(readBytes(setPath()), changed);
    QCOMPARE(m_game->window.paginaGioca()->lbl_numeri[0]->text(), QString("12"));

    for (int tab = 1; tab <= 4; ++tab) {
        QTabBar *tabs = m_game->window.tabStrip()->tabs();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab - 1).center());
        screenshot(&m_game->window, QStringLiteral("pagina%1").arg(tab));
    }
}

void tst_Partita::aGameLostAtZero()
{
    newSetWithThreeTickets();
    m_game->modulo.punti = *Currency::fromWhole(10); // as if the rest had been lost
    choose({2});
    checkLabels("0", "10", "-10", "0");
    m_game->player.take();
    play({});
    QCOMPARE(m_game->player.take(),
             (QStringList{"Lotto\\click.wav", "Lotto\\lotto_game_over.wav"}));
    checkLabels("0", "0", "-10", "0");
    QCOMPARE(m_game->modulo.file_insieme, toStd(setPath()));
    m_game.reset();
}

void tst_Partita::aGameWonAboveTenMillion()
{
    newSetWithThreeTickets();
    m_game->modulo.punti = *Currency::fromWhole(9999990);
    choose({0});
    checkLabels("9999985", "5", "-5", "0");
    m_game->modulo.suoni_attivi = 0;
    play({{0, {34, 12}}});
    const auto boxes = m_game->boxes.take();
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes[0].testo, QString("Complimenti!Ambo su Bari!"));
    QCOMPARE(boxes[1].testo, QString("Complimenti!!!Hai finito il giocooooo"));
    // A new game: points, lists and set as at the start, the draw still on the board.
    checkLabels("10000", "0", "0", "0");
    QCOMPARE(entries(m_lotto->lst_esistenti), QStringList{});
    QCOMPARE(m_lotto->lbl_filelottoschede->text(), QString("Nessun file caricato"));
    QCOMPARE(m_game->window.paginaGioca()->lbl_numeri[0]->text(), QString("34"));
    m_game.reset();
}

QTEST_MAIN(tst_Partita)
#include "tst_partita.moc"
