#include "editor/form_schede.h"
#include "main_window/listaschede.h"
#include "main_window/paginagioca.h"
#include "main_window/paginalotto.h"
#include "support/partitadiprova.h"
#include "support/setfiles.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// Sets that other machines, crashed saves and other programs leave behind: what the player sees
// and what the file holds afterwards.
class tst_FileDifettosi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void setVanishesBeforeThePlay();
    void setReorderedBeforeThePlay();
    void hugeSetIsRefusedWithoutReadingIt();
    void garbageBytesListAsTitles();
    void stakesBeyondTheCurrencyRefuseTheMove();
    void saveWhenTheFolderIsGone();

private:
    QString setPath() const { return m_dir->filePath(QStringLiteral("set.slott")); }
    void load(const QString &path);
    void chooseAll() { m_game->window.paginaLotto()->cmd_all_destra->click(); }
    QList<FakeAvvisi::Box> errors();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PartitaDiProva> m_game;
};

namespace {} // namespace

void tst_FileDifettosi::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_game = std::make_unique<PartitaDiProva>();
}

void tst_FileDifettosi::cleanup()
{
    QVERIFY(m_game->boxes.boxes().isEmpty());
    m_game.reset();
}

void tst_FileDifettosi::load(const QString &path)
{
    m_game->dialog.scegli(path);
    m_game->window.paginaLotto()->cmd_carica->click();
}

QList<FakeAvvisi::Box> tst_FileDifettosi::errors()
{
    return m_game->boxes.take();
}

void tst_FileDifettosi::setVanishesBeforeThePlay()
{
    writeBytes(setPath(), ticketRecord("Uno", {7}, {0}, {{0, 10000}}) +
                              ticketRecord("Due", {8}, {0}, {{0, 10000}}));
    load(setPath());
    chooseAll();
    QVERIFY(QFile::remove(setPath()));
    m_game->generatore.ruote({{0, {7, 8, 1, 2, 3}}});
    m_game->window.paginaGioca()->cmd_gioca->click();
    // A missing set opens as a new empty one: nothing is found, nothing credited, no ticket lost.
    QCOMPARE(m_game->window.paginaGioca()->lbl_vincita->text(), QString("0"));
    QCOMPARE(m_game->window.paginaLotto()->lst_esistenti->count(), 2);
    QCOMPARE(m_game->modulo.punti, *Currency::fromWhole(9998));
    QCOMPARE(readBytes(setPath()), QByteArray());
}

void tst_FileDifettosi::setReorderedBeforeThePlay()
{
    writeBytes(setPath(), ticketRecord("Uno", {7}, {0}, {{0, 10000}}) +
                              ticketRecord("Due", {8}, {0}, {{0, 10000}}) +
                              ticketRecord("Tre", {9}, {0}, {{0, 10000}}));
    load(setPath());
    chooseAll();
    writeBytes(setPath(), ticketRecord("Tre", {9}, {0}, {{0, 10000}}) +
                              ticketRecord("Due", {8}, {0}, {{0, 10000}}) +
                              ticketRecord("Uno", {7}, {0}, {{0, 10000}}));
    m_game->modulo.suoni_attivi = 0;
    m_game->generatore.ruote({{0, {7, 8, 9, 1, 2}}});
    m_game->window.paginaGioca()->cmd_gioca->click();
    QCOMPARE(errors().size(), 3); // every ticket found and announced
    QCOMPARE(m_game->window.paginaGioca()->lbl_vincita->text(), QString("33"));
}

void tst_FileDifettosi::hugeSetIsRefusedWithoutReadingIt()
{
    writeBytes(setPath(), ticketRecord("Uno", {7}, {0}, {{0, 10000}}));
    load(setPath());
    QFile huge(m_dir->filePath(QStringLiteral("enorme.slott")));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(qint64(1) << 30)); // 1 GB, sparse
    huge.close();
    load(huge.fileName());
    const auto boxes = errors();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].titolo, QString("Errore"));
    QVERIFY2(boxes[0].testo.contains(huge.fileName()) && boxes[0].testo.contains("8521760"),
             qPrintable(boxes[0].testo));
    QCOMPARE(m_game->modulo.file_insieme, toStd(setPath()));
    QCOMPARE(m_game->window.paginaLotto()->lst_esistenti->count(), 1);
}

void tst_FileDifettosi::garbageBytesListAsTitles()
{
    QByteArray garbage(126 * 40 + 17, '\0');
    QRandomGenerator random(1234);
    for (char &c : garbage)
        c = char(random.bounded(256));
    writeBytes(setPath(), garbage);
    load(setPath());
    QCOMPARE(m_game->window.paginaLotto()->lst_esistenti->count(), 40);
    m_game->modulo.punti = *Currency::fromWhole(1000000);
    chooseAll();
    errors(); // costs of nonsense may be refused or taken; the game goes on either way
    QCOMPARE(readBytes(setPath()), garbage);
}

void tst_FileDifettosi::stakesBeyondTheCurrencyRefuseTheMove()
{
    writeBytes(setPath(), ticketRecord("Enorme", {7}, {0}, {{0, INT64_MAX}}) +
                              ticketRecord("Uno", {8}, {0}, {{0, 10000}}));
    load(setPath());
    chooseAll();
    const auto boxes = errors();
    QCOMPARE(boxes.size(), 1);
    QVERIFY(boxes[0].testo.contains("supera il massimo"));
    QCOMPARE(m_game->window.paginaLotto()->lst_dagioca->count(), 0);
    QCOMPARE(m_game->modulo.punti, *Currency::fromWhole(10000));
}

void tst_FileDifettosi::saveWhenTheFolderIsGone()
{
    const QString folder = m_dir->filePath(QStringLiteral("cartella"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/set.slott");
    writeBytes(path, ticketRecord("Uno", {7}, {0}, {{0, 10000}}));
    load(path);
    m_game->window.paginaLotto()->cmd_scheda->click();
    Form_schede *editor = m_game->window.editor();
    editor->txt_titolo->setText(QStringLiteral("Nuova"));
    QTest::keyClicks(editor->txt_num[0], "5");
    editor->chk_ruote[0]->setChecked(true);
    editor->chk_giocata[0]->setChecked(true);
    QTest::keyClicks(editor->txt_puntata[0], "1");
    QVERIFY(QDir(folder).removeRecursively());
    editor->cmd_salvasche->click();
    const auto boxes = errors();
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes[0].testo.contains(path) && boxes[0].testo.contains("non esiste"),
             qPrintable(boxes[0].testo));
    QVERIFY(editor->isVisible());
    QVERIFY(!QFileInfo::exists(folder));
}

QTEST_MAIN(tst_FileDifettosi)
#include "tst_file_difettosi.moc"
