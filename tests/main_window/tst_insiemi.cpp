#include "main_window/listaschede.h"
#include "main_window/paginagioca.h"
#include "main_window/paginalotto.h"
#include "storage/schedina.h"
#include "support/partitadiprova.h"
#include "support/setfiles.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// Loading and creating sets, and choosing tickets for play, as the player does it on the
// "Lotto" page.
class tst_Insiemi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void loadListsTitlesInFileOrder_data();
    void loadListsTitlesInFileOrder();
    void reloadGivesStakesBack();
    void cancelBeforeAnyChoiceChangesNothing();
    void cancelAfterAChoiceReloadsTheSet();
    void createOnANewName();
    void overwriteAnswered_data();
    void overwriteAnswered();
    void createRefusedWhileLoaded_data();
    void createRefusedWhileLoaded();
    void moveSelected_data();
    void moveSelected();
    void moveRefusedForLackOfPoints_data();
    void moveRefusedForLackOfPoints();
    void moveAllChargesOnlyWhatMoves();
    void giveBackReadsTheCostNow();
    void unreadableSetLeavesGameAsItWas_data();
    void unreadableSetLeavesGameAsItWas();

private:
    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    void click(QPushButton *button);
    void load(const QString &file);
    void select(ListaSchede *list, const QList<int> &rows);
    QString label(const char *name) const;

    PaginaLotto *lotto() const { return m_window->paginaLotto(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PartitaDiProva> m_game;
    // Short names for the game's parts.
    FakeRiproduttore *m_player = nullptr;
    FakeAvvisi *m_boxes = nullptr;
    FakeDialogoFile *m_dialog = nullptr;
    Modulo *m_modulo = nullptr;
    Form_gioco *m_window = nullptr;
};

namespace {

const QString kClick = "Lotto\\click.wav";

QByteArray ticket(const char *title, int estratto, int ambo)
{
    Schedina s;
    s.impostaTitolo(title);
    s.numeri = {1, 2};
    s.ruote[0] = s.ruote[3] = s.ruote[7] = 1;
    s.giocate[0] = estratto > 0;
    s.puntate[0] = *Currency::fromWhole(estratto);
    s.giocate[1] = 1;
    s.puntate[1] = *Currency::fromWhole(ambo);
    const auto bytes = s.codifica();
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), 126);
}

// Three tickets costing 5 (2 on Estratto and 3 on Ambo, on three wheels), 3 and 2.
QByteArray threeTickets()
{
    return ticket("Uno", 2, 3) + ticket("Due", 0, 3) + ticket("Tre", 0, 2);
}

QString padded(const char *title)
{
    return QString::fromLatin1(title).leftJustified(20, u' ');
}

} // namespace

void tst_Insiemi::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_game = std::make_unique<PartitaDiProva>();
    m_player = &m_game->player;
    m_boxes = &m_game->boxes;
    m_dialog = &m_game->dialog;
    m_modulo = &m_game->modulo;
    m_window = &m_game->window;
    m_window->TabStrip1_Click(3);
    m_player->take();
}

void tst_Insiemi::cleanup()
{
    QCOMPARE(m_dialog->senzaRisposta, 0);
    QCOMPARE(m_boxes->domandeSenzaRisposta(), 0);
    QVERIFY(m_boxes->boxes().isEmpty());
    m_game.reset();
}

void tst_Insiemi::click(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void tst_Insiemi::load(const QString &file)
{
    m_dialog->scegli(file);
    click(lotto()->cmd_carica);
}

void tst_Insiemi::select(ListaSchede *list, const QList<int> &rows)
{
    list->clearSelection();
    for (int row : rows)
        list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::Select);
}

QString tst_Insiemi::label(const char *name) const
{
    return m_window->findChild<QLabel *>(QString::fromLatin1(name))->text();
}

void tst_Insiemi::loadListsTitlesInFileOrder_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("three tickets")
        << threeTickets() << true << QStringList{padded("Uno"), padded("Due"), padded("Tre")};
    QTest::newRow("empty file") << QByteArray() << true << QStringList{};
    QTest::newRow("130 bytes: one ticket")
        << ticket("Uno", 1, 1) + "tail" << true << QStringList{padded("Uno")};
    QTest::newRow("missing file: a new empty set") << QByteArray() << false << QStringList{};
}

void tst_Insiemi::loadListsTitlesInFileOrder()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, exists);
    QFETCH(QStringList, titles);
    if (exists)
        writeBytes(path("set.slott"), bytes);
    load(path("set.slott"));
    QCOMPARE(lotto()->lst_esistenti->voci(), titles);
    QCOMPARE(lotto()->lst_dagioca->count(), 0);
    QCOMPARE(label("lbl_filelottoschede"), "File caricato : " + path("set.slott"));
    QCOMPARE(label("lbl_messaggio"),
             QString("Per visualizzare la schedina fare doppio clic sulla schedina"));
    QCOMPARE(m_modulo->file_insieme, toStd(path("set.slott")));
    QCOMPARE(m_player->take(), QStringList{kClick});
    QCOMPARE(m_dialog->mostrati, QStringList{"apri: Lotto files (*.slott)|*.slott|"});
    QCOMPARE(readBytes(path("set.slott")), bytes);
}

void tst_Insiemi::reloadGivesStakesBack()
{
    writeBytes(path("a.slott"), threeTickets());
    writeBytes(path("b.slott"), ticket("Altra", 1, 1));
    load(path("a.slott"));
    select(lotto()->lst_esistenti, {0, 1});
    click(lotto()->cmd_destra);
    QCOMPARE(m_modulo->punti, *Currency::fromWhole(9992));
    load(path("b.slott"));
    QCOMPARE(m_modulo->punti, *Currency::fromWhole(10000));
    QCOMPARE(m_modulo->situazione, 0.0);
    QCOMPARE(label("lbl_somma"), QString("0"));
    QCOMPARE(label("lbl_situazione"), QString("0"));
    QCOMPARE(label("lbl_punti"), QString("10000"));
    QCOMPARE(lotto()->lst_esistenti->voci(), QStringList{padded("Altra")});
    QCOMPARE(lotto()->lst_dagioca->count(), 0);
}

void tst_Insiemi::cancelBeforeAnyChoiceChangesNothing()
{
    m_dialog->annulla();
    click(lotto()->cmd_carica);
    QCOMPARE(label("lbl_filelottoschede"), QString("Nessun file caricato"));
    QCOMPARE(m_modulo->file_insieme, std::string("Nessun file caricato"));
    QCOMPARE(label("lbl_messaggio").left(25), QString("Per iniziare a giocare ca"));
    QCOMPARE(m_player->take(), QStringList{kClick});
}

void tst_Insiemi::cancelAfterAChoiceReloadsTheSet()
{
    writeBytes(path("a.slott"), threeTickets());
    load(path("a.slott"));
    select(lotto()->lst_esistenti, {2});
    click(lotto()->cmd_destra);
    QCOMPARE(lotto()->lst_dagioca->voci(), QStringList{padded("Tre")});
    m_dialog->annulla();
    click(lotto()->cmd_carica);
    QCOMPARE(lotto()->lst_esistenti->count(), 3);
    QCOMPARE(lotto()->lst_dagioca->count(), 0);
    QCOMPARE(m_modulo->punti, *Currency::fromWhole(10000));
}

void tst_Insiemi::createOnANewName()
{
    m_dialog->scegli(path("nuovo.slott"));
    click(lotto()->cmd_newinsie);
    QCOMPARE(m_dialog->mostrati, QStringList{"salva: Lotto files (*.slott)|*.slott|"});
    QCOMPARE(label("lbl_filelottoschede"), "File caricato : " + path("nuovo.slott"));
    QCOMPARE(lotto()->lst_esistenti->count(), 0);
    QVERIFY(QFile::exists(path("nuovo.slott")));
    QCOMPARE(readBytes(path("nuovo.slott")).size(), 0);
    QCOMPARE(m_player->take(), QStringList{kClick});
}

void tst_Insiemi::overwriteAnswered_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("joking");
    QTest::addColumn<bool>("soundsOn");
    QTest::addColumn<QStringList>("played");
    QTest::newRow("No, then cancel")
        << false << false << true << QStringList{kClick, "Lotto\\lotto_sovrascrivere.wav"};
    QTest::newRow("No, then cancel, sounds off") << false << false << false << QStringList{};
    QTest::newRow("Yes, joking set")
        << true << true << true
        << QStringList{kClick, "Aggiunte\\Spiritose\\lotto_sovrascrivere_pollame.wav",
                       "Aggiunte\\Spiritose\\perso.wav"};
    QTest::newRow("Yes, sounds off") << true << false << false << QStringList{};
}

void tst_Insiemi::overwriteAnswered()
{
    QFETCH(bool, yes);
    QFETCH(bool, joking);
    QFETCH(bool, soundsOn);
    QFETCH(QStringList, played);
    m_modulo->suoni_spiritosi = joking;
    m_modulo->suoni_attivi = soundsOn;
    writeBytes(path("vecchio.slott"), threeTickets());
    m_dialog->scegli(path("vecchio.slott"));
    if (!yes)
        m_dialog->annulla();
    m_boxes->rispondi(yes);
    click(lotto()->cmd_newinsie);
    QCOMPARE(m_player->take(), played);
    QCOMPARE(m_boxes->take(),
             (QList<FakeAvvisi::Box>{
                 {QString::fromUtf8("Il file è già esistente,sovrascriverlo?"), "Avviso", true}}));
    QCOMPARE(m_dialog->mostrati.size(), yes ? 1 : 2);
    QCOMPARE(QFile::exists(path("vecchio.slott")), !yes);
    QCOMPARE(label("lbl_filelottoschede"),
             yes ? "File caricato : " + path("vecchio.slott") : QString("Nessun file caricato"));
    if (!yes) {
        QCOMPARE(readBytes(path("vecchio.slott")), threeTickets());
        QCOMPARE(m_dialog->nomeFile(), std::string());
    }
}

void tst_Insiemi::createRefusedWhileLoaded_data()
{
    QTest::addColumn<bool>("soundsOn");
    QTest::newRow("sounds on") << true;
    QTest::newRow("sounds off") << false;
}

void tst_Insiemi::createRefusedWhileLoaded()
{
    QFETCH(bool, soundsOn);
    writeBytes(path("a.slott"), threeTickets());
    load(path("a.slott"));
    m_player->take();
    m_modulo->suoni_attivi = soundsOn;
    m_dialog->scegli(path("nuovo.slott"));
    click(lotto()->cmd_newinsie);
    const QStringList played = {kClick, "Lotto\\file_aperto.wav"};
    const QList<FakeAvvisi::Box> box = {
        {QString::fromUtf8("L'insieme di schedine, è già aperto"), "Errore", false}};
    QCOMPARE(m_player->take(), soundsOn ? played : QStringList{});
    QCOMPARE(m_boxes->take(), soundsOn ? QList<FakeAvvisi::Box>{} : box);
    QVERIFY(!QFile::exists(path("nuovo.slott")));
    QCOMPARE(lotto()->lst_esistenti->count(), 3);
    QCOMPARE(m_modulo->file_insieme, toStd(path("a.slott")));
}

void tst_Insiemi::moveSelected_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QString>("somma");
    QTest::addColumn<QString>("pointsAfter");
    QTest::addColumn<QStringList>("toPlay");
    QTest::newRow("nothing selected") << 100 << QList<int>{} << "0"
                                      << "100" << QStringList{};
    QTest::newRow("costs 5 and 3 from 100") << 100 << QList<int>{0, 1} << "8"
                                            << "92" << QStringList{padded("Uno"), padded("Due")};
    QTest::newRow("cost equal to the points") << 8 << QList<int>{0, 1} << "8"
                                              << "0" << QStringList{padded("Uno"), padded("Due")};
    QTest::newRow("first and last, in list order")
        << 100 << QList<int>{2, 0} << "7"
        << "93" << QStringList{padded("Uno"), padded("Tre")};
}

void tst_Insiemi::moveSelected()
{
    QFETCH(int, points);
    QFETCH(QList<int>, rows);
    QFETCH(QString, somma);
    QFETCH(QString, pointsAfter);
    QFETCH(QStringList, toPlay);
    writeBytes(path("a.slott"), threeTickets());
    load(path("a.slott"));
    m_modulo->punti = *Currency::fromWhole(points);
    m_player->take();
    select(lotto()->lst_esistenti, rows);
    click(lotto()->cmd_destra);
    QCOMPARE(m_player->take(), QStringList{kClick});
    QCOMPARE(label("lbl_somma"), somma);
    QCOMPARE(label("lbl_punti"), pointsAfter);
    QVERIFY(m_window->windowTitle().endsWith("credito: " + pointsAfter));
    QCOMPARE(label("lbl_situazione"), somma == "0" ? QString("0") : "-" + somma);
    QCOMPARE(lotto()->lst_dagioca->voci(), toPlay);
    QCOMPARE(lotto()->lst_esistenti->count(), 3 - toPlay.size());
}

void tst_Insiemi::moveRefusedForLackOfPoints_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<bool>("soundsOn");
    QTest::addColumn<QString>("message");
    const QString selected = "Non hai abbastanza punti per fare queste giocate,ne hai 4 e te ne "
                             "servono 8";
    const QString all = "Non hai abbastanza punti!Ne hai 4 e te ne servono 10";
    QTest::newRow(">, sounds on") << false << true << selected;
    QTest::newRow(">, sounds off") << false << false << selected;
    QTest::newRow(">>, sounds on") << true << true << all;
    QTest::newRow(">>, sounds off") << true << false << all;
}

void tst_Insiemi::moveRefusedForLackOfPoints()
{
    QFETCH(bool, all);
    QFETCH(bool, soundsOn);
    QFETCH(QString, message);
    writeBytes(path("a.slott"), threeTickets());
    load(path("a.slott"));
    m_modulo->punti = *Currency::fromWhole(4);
    m_modulo->suoni_attivi = soundsOn;
    m_player->take();
    select(lotto()->lst_esistenti, {0, 1});
    click(all ? lotto()->cmd_all_destra : lotto()->cmd_destra);
    const QStringList played = {kClick, "Lotto\\lotto_punti_insufficienti.wav"};
    const QList<FakeAvvisi::Box> box = {{message, "Errore", false}};
    QCOMPARE(m_player->take(), soundsOn ? played : QStringList{});
    QCOMPARE(m_boxes->take(), soundsOn ? QList<FakeAvvisi::Box>{} : box);
    QCOMPARE(lotto()->lst_esistenti->count(), 3);
    QCOMPARE(lotto()->lst_dagioca->count(), 0);
    QCOMPARE(m_modulo->punti, *Currency::fromWhole(4));
    QCOMPARE(m_modulo->situazione, 0.0);
}

void tst_Insiemi::moveAllChargesOnlyWhatMoves()
{
    writeBytes(path("a.slott"), threeTickets());
    load(path("a.slott"));
    select(lotto()->lst_esistenti, {1});
    click(lotto()->cmd_destra);
    click(lotto()->cmd_all_destra);
    QCOMPARE(label("lbl_somma"), QString("7"));
    QCOMPARE(lotto()->lst_dagioca->voci(),
             (QStringList{padded("Due"), padded("Uno"), padded("Tre")}));
    QCOMPARE(m_modulo->punti, *Currency::fromWhole(9990));
    m_player->take();
    click(lotto()->cmd_all_destra); // nothing left: only the click
    QCOMPARE(m_player->take(), QStringList{kClick});
    QCOMPARE(label("lbl_somma"), QString("7"));
    click(lotto()->cmd_all_sinistra);
    QCOMPARE(lotto()->lst_esistenti->voci(),
             (QStringList{padded("Due"), padded("Uno"), padded("Tre")}));
    QCOMPARE(m_modulo->punti, *Currency::fromWhole(10000));
    QCOMPARE(label("lbl_somma"), QString("10"));
}

void tst_Insiemi::giveBackReadsTheCostNow()
{
    writeBytes(path("a.slott"), threeTickets());
    load(path("a.slott"));
    select(lotto()->lst_esistenti, {0});
    click(lotto()->cmd_destra);
    QCOMPARE(m_modulo->punti, *Currency::fromWhole(9995));
    // Another program changes the ticket's stakes while it waits to be played.
    writeBytes(path("a.slott"), ticket("Uno", 4, 3) + ticket("Due", 0, 3) + ticket("Tre", 0, 2));
    select(lotto()->lst_dagioca, {0});
    click(lotto()->cmd_sinistra);
    QCOMPARE(m_modulo->punti, *Currency::fromWhole(10002));
    QCOMPARE(label("lbl_situazione"), QString("2"));
    QCOMPARE(lotto()->lst_esistenti->voci(),
             (QStringList{padded("Due"), padded("Tre"), padded("Uno")}));
}

void tst_Insiemi::unreadableSetLeavesGameAsItWas_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("loading a folder") << "carica";
    QTest::newRow("reloading after the set became a folder") << "ricarica";
    QTest::newRow("moving after the set became a folder") << "sposta";
}

void tst_Insiemi::unreadableSetLeavesGameAsItWas()
{
    QFETCH(QString, command);
    writeBytes(path("a.slott"), threeTickets());
    load(path("a.slott"));
    select(lotto()->lst_esistenti, {0});
    click(lotto()->cmd_destra);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("cartella.slott")));
    QString broken = path("cartella.slott");
    if (command != "carica") {
        QVERIFY(QFile::remove(path("a.slott")));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("a.slott")));
        broken = path("a.slott");
    }
    const QString titleBefore = m_window->windowTitle();
    if (command == "sposta") {
        select(lotto()->lst_esistenti, {0});
        click(lotto()->cmd_destra);
    } else {
        load(command == "carica" ? path("cartella.slott") : path("a.slott"));
    }
    const auto boxes = m_boxes->take();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].titolo, QString("Errore"));
    QVERIFY2(boxes[0].testo.contains(broken) &&
                 boxes[0].testo.contains(QString::fromUtf8("cartella")),
             qPrintable(boxes[0].testo));
    QCOMPARE(m_modulo->punti, *Currency::fromWhole(9995));
    QCOMPARE(m_modulo->situazione, -5.0);
    QCOMPARE(label("lbl_punti"), QString("9995"));
    QCOMPARE(label("lbl_somma"), QString("5"));
    QCOMPARE(m_window->windowTitle(), titleBefore);
    QCOMPARE(lotto()->lst_esistenti->voci(), (QStringList{padded("Due"), padded("Tre")}));
    QCOMPARE(lotto()->lst_dagioca->voci(), QStringList{padded("Uno")});
    QCOMPARE(m_modulo->file_insieme, toStd(path("a.slott")));
    QCOMPARE(label("lbl_filelottoschede"), "File caricato : " + path("a.slott"));
}

QTEST_MAIN(tst_Insiemi)
#include "tst_insiemi.moc"
