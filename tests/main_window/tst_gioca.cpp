#include "main_window/comandogioca.h"
#include "main_window/listaschede.h"
#include "main_window/modelloschede.h"
#include "main_window/paginagioca.h"
#include "main_window/paginalotto.h"
#include "support/partitadiprova.h"
#include "support/setfiles.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The play button: the draw on the board, the wins announced and credited in order, the
// tickets given back, and the end of the game.
class tst_Gioca : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void emptyPlayListMakesNoDraw_data();
    void emptyPlayListMakesNoDraw();
    void winsAnnouncedInOrder_data();
    void winsAnnouncedInOrder();
    void eachWheelLosesItsFraction();
    void endOfTheGame_data();
    void endOfTheGame();
    void entryMissingFromTheFileIsPassedOver();
    void unreadableSetCreditsNothing();

private:
    QString setPath() const { return m_dir->filePath(QStringLiteral("set.slott")); }
    void choose(const QByteArray &records, const QList<int> &rows);
    void play() { QTest::mouseClick(m_game->window.paginaGioca()->cmd_gioca, Qt::LeftButton); }
    QString label(const char *name) const
    {
        return m_game->window.findChild<QLabel *>(QString::fromLatin1(name))->text();
    }
    QStringList board() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PartitaDiProva> m_game;
};

namespace {

const QString kClick = "Lotto\\click.wav";

} // namespace

void tst_Gioca::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_game = std::make_unique<PartitaDiProva>();
    m_game->window.TabStrip1_Click(2);
    m_game->player.take();
}

void tst_Gioca::cleanup()
{
    QCOMPARE(m_game->dialog.senzaRisposta, 0);
    QVERIFY(m_game->boxes.boxes().isEmpty());
    m_game.reset();
}

// Loads the set and moves the given rows to the play list.
void tst_Gioca::choose(const QByteArray &records, const QList<int> &rows)
{
    writeBytes(setPath(), records);
    m_game->dialog.scegli(setPath());
    PaginaLotto *page = m_game->window.paginaLotto();
    page->cmd_carica->click();
    for (int row : rows)
        page->lst_esistenti->selectionModel()->select(page->lst_esistenti->model()->index(row, 0),
                                                      QItemSelectionModel::Select);
    page->cmd_destra->click();
    m_game->player.take();
}

QStringList tst_Gioca::board() const
{
    QStringList numbers;
    for (QLabel *label : m_game->window.paginaGioca()->lbl_numeri)
        numbers << label->text();
    return numbers;
}

void tst_Gioca::emptyPlayListMakesNoDraw_data()
{
    QTest::addColumn<bool>("soundsOn");
    QTest::newRow("sounds on") << true;
    QTest::newRow("sounds off") << false;
}

void tst_Gioca::emptyPlayListMakesNoDraw()
{
    QFETCH(bool, soundsOn);
    m_game->modulo.suoni_attivi = soundsOn;
    play();
    QCOMPARE(m_game->player.take(),
             soundsOn ? QStringList({kClick, "Lotto\\lotto_carica_schedine.wav"}) : QStringList());
    const QList<FakeAvvisi::Box> box = {
        {"Devi selezionare almeno una schedina da giocare", "Errore", false}};
    QCOMPARE(m_game->boxes.take(), soundsOn ? QList<FakeAvvisi::Box>() : box);
    QCOMPARE(m_game->generatore.semine, 0);
    QCOMPARE(board(), QStringList(50, QString()));
}

void tst_Gioca::winsAnnouncedInOrder_data()
{
    QTest::addColumn<bool>("soundsOn");
    QTest::newRow("recordings") << true;
    QTest::newRow("boxes") << false;
}

void tst_Gioca::winsAnnouncedInOrder()
{
    QFETCH(bool, soundsOn);
    // Estratto and Ambo on Bari and Roma, stake 1 each: costs 2.
    QByteArray records = ticketRecord("Perdente", {80}, {0}, {{0, 10000}}) +
                         ticketRecord("Vincente", {1, 2, 3}, {0, 7}, {{0, 10000}});
    records.replace(126 + 78 + 8, 8, QByteArray::fromHex("1027000000000000"));
    records[126 + 68] = 1;
    choose(records, {1, 0});
    m_game->modulo.suoni_attivi = soundsOn;
    m_game->generatore.ruote({{0, {1, 2}}, {7, {3}}});
    play();
    const QStringList wins = {"Ruote e Vincite\\estratto_bari.wav",
                              "Ruote e Vincite\\ambo_bari.wav",
                              "Ruote e Vincite\\estratto_roma.wav"};
    QCOMPARE(m_game->player.take(), soundsOn ? QStringList{kClick} + wins : QStringList{});
    const QList<FakeAvvisi::Box> boxes = {{"Complimenti!Estratto su Bari!", "Hai vinto!!", false},
                                          {"Complimenti!Ambo su Bari!", "Hai vinto!!", false},
                                          {"Complimenti!Estratto su Roma!", "Hai vinto!!", false}};
    QCOMPARE(m_game->boxes.take(), soundsOn ? QList<FakeAvvisi::Box>() : boxes);
    // Bari pays the Ambo, 83.7 / 2 wheels x 3 = 125.55; Roma the Estratto, 5.55.
    QCOMPARE(label("lbl_vincita"), QString("130"));
    QCOMPARE(label("lbl_punti"), QString("10127"));
    QCOMPARE(label("lbl_situazione"), QString("127"));
    QCOMPARE(label("lbl_somma"), QString("0"));
    QVERIFY(m_game->window.windowTitle().endsWith("credito: 10127"));
    QCOMPARE(board(), QStringList({"1", "2", "60", "61", "62"}) + board().mid(5));
    QCOMPARE(board().mid(35, 5), (QStringList{"3", "60", "61", "62", "63"}));
    PaginaLotto *page = m_game->window.paginaLotto();
    QCOMPARE(page->lst_dagioca->count(), 0);
    QCOMPARE(page->lst_esistenti->voci(), (QStringList{QString("Perdente").leftJustified(20),
                                                       QString("Vincente").leftJustified(20)}));
    QCOMPARE(readBytes(setPath()), records);
}

void tst_Gioca::eachWheelLosesItsFraction()
{
    // One number, Estratto at 2.3036 on two wheels: 11.2 x 2.3036 / 2 = 12.9 on each.
    choose(ticketRecord("Dodici", {45}, {0, 1}, {{0, 23036}}), {0});
    m_game->generatore.ruote({{0, {45}}, {1, {45}}});
    play();
    QCOMPARE(label("lbl_vincita"), QString("24"));
    QCOMPARE(m_game->modulo.situazione, 24 - 2.3036);
}

void tst_Gioca::endOfTheGame_data()
{
    QTest::addColumn<qint64>("pointsBefore"); // after the ticket's cost of 1 is taken
    QTest::addColumn<bool>("wins");
    QTest::addColumn<bool>("soundsOn");
    QTest::addColumn<QStringList>("played");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("pointsAfter");
    const QString over = "Game Over";
    const QString victory = "Complimenti!!!Hai finito il giocooooo";
    const QStringList newGame = {kClick, "Lotto\\inizio_programma.wav",
                                 "Aggiunte\\Spiritose\\il lotto quando vuoi da normalizzare.wav",
                                 "Lotto\\nuova_partita.wav"};
    QTest::newRow("0 points: game over, spoken")
        << qint64(1) << false << true << QStringList{kClick, "Lotto\\lotto_game_over.wav"}
        << QString() << "0";
    QTest::newRow("0 points: game over box")
        << qint64(1) << false << false << QStringList{} << over << "0";
    QTest::newRow("ten million exactly: nothing")
        << qint64(9999990) << true << true
        << QStringList{kClick, "Ruote e Vincite\\estratto_bari.wav"} << QString() << "10000000";
    QTest::newRow("ten million and one: victory, new game")
        << qint64(9999991) << true << true
        << QStringList{kClick, "Ruote e Vincite\\estratto_bari.wav", "Lotto\\lotto_hai_vinto.wav"} +
               newGame
        << QString() << "10000";
    QTest::newRow("victory box") << qint64(9999991) << true << false << QStringList{} << victory
                                 << "10000";
}

void tst_Gioca::endOfTheGame()
{
    QFETCH(qint64, pointsBefore);
    QFETCH(bool, wins);
    QFETCH(bool, soundsOn);
    QFETCH(QStringList, played);
    QFETCH(QString, box);
    QFETCH(QString, pointsAfter);
    m_game->modulo.punti = *Currency::fromWhole(pointsBefore);
    choose(ticketRecord("Unico", {45}, {0}, {{0, 10000}}),
           {0}); // pays 11 when 45 comes out on Bari
    QCOMPARE(m_game->modulo.punti, *Currency::fromWhole(pointsBefore - 1));
    m_game->modulo.suoni_attivi = soundsOn;
    m_game->generatore.ruote({{0, {wins ? 45 : 80}}});
    play();
    QCOMPARE(m_game->player.take(), played);
    const auto boxes = m_game->boxes.take();
    if (box.isEmpty()) {
        QVERIFY(boxes.isEmpty());
    } else {
        QCOMPARE(boxes.size(), wins ? 2 : 1);
        QCOMPARE(boxes.last().testo, box);
        QCOMPARE(boxes.last().titolo,
                 box == "Game Over" ? QString("Zaffirone") : QString("Complimentiiiiii"));
    }
    QCOMPARE(label("lbl_punti"), pointsAfter);
    const bool newGame = pointsAfter == "10000";
    QCOMPARE(m_game->window.paginaLotto()->lst_esistenti->count(), newGame ? 0 : 1);
    QCOMPARE(m_game->modulo.insiemeAperto(), !newGame);
}

void tst_Gioca::entryMissingFromTheFileIsPassedOver()
{
    choose(ticketRecord("Primo", {45}, {0}, {{0, 10000}}) +
               ticketRecord("Secondo", {46}, {0}, {{0, 10000}}),
           {0, 1});
    // Another program rewrites the set without the first ticket.
    writeBytes(setPath(), ticketRecord("Secondo", {46}, {0}, {{0, 10000}}));
    m_game->generatore.ruote({{0, {45, 46}}});
    play();
    QCOMPARE(label("lbl_vincita"), QString("11"));
    QCOMPARE(m_game->window.paginaLotto()->lst_esistenti->count(), 2);
}

void tst_Gioca::unreadableSetCreditsNothing()
{
    choose(ticketRecord("Primo", {45}, {0}, {{0, 10000}}), {0});
    QVERIFY(QFile::remove(setPath()));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("set.slott")));
    m_game->generatore.ruote({{0, {45}}});
    play();
    const auto boxes = m_game->boxes.take();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].titolo, QString("Errore"));
    QVERIFY(boxes[0].testo.contains(setPath()));
    QCOMPARE(board().first(), QString("45"));
    QCOMPARE(label("lbl_punti"), QString("9999"));
    QCOMPARE(m_game->window.paginaLotto()->lst_dagioca->count(), 1);
}

QTEST_MAIN(tst_Gioca)
#include "tst_gioca.moc"
