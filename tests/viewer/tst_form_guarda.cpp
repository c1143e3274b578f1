#include "editor/form_schede.h"
#include "main_window/listaschede.h"
#include "main_window/paginalotto.h"
#include "support/partitadiprova.h"
#include "support/setfiles.h"
#include "viewer/form_guarda.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The ticket viewer: what it shows of a stored ticket, and the hand-over for a modification.
class tst_Form_guarda : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void modificaOnlyForExistingList_data();
    void modificaOnlyForExistingList();
    void betRowsShown_data();
    void betRowsShown();
    void numbersAndWheelsShown();
    void emptyListShowsAnEmptyViewer();
    void withoutASetNoFileIsMade();
    void hintOnAClickAnywhere_data();
    void hintOnAClickAnywhere();
    void sameTitleTwiceShowsAndModifiesTheFirst();
    void modificationChangesTheTitle();
    void secondDoubleClickDuringAModification();

private:
    QString setPath() const { return m_dir->filePath(QStringLiteral("set.slott")); }
    void load(const QByteArray &records);
    void doubleClick(ListaSchede *list, int row);
    form_guarda *viewer() { return m_game->window.visore(); }
    PaginaLotto *lotto() { return m_game->window.paginaLotto(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PartitaDiProva> m_game;
};

using Stakes = QMap<int, qint64>;

namespace {

// Each bet row as "ticked/enabled/stake/colour", for one look at the whole frame.
QStringList rows(form_guarda *v)
{
    QStringList out;
    for (int k = 0; k < 5; ++k) {
        const bool white = v->txt_puntata1[k]->styleSheet().contains("#FFFFFF");
        out << QStringLiteral("%1%2 %3 %4")
                   .arg(v->chk_giocata1[k]->isChecked() ? "x" : "-")
                   .arg(v->chk_giocata1[k]->isEnabled() ? "on" : "off")
                   .arg(v->txt_puntata1[k]->text())
                   .arg(white ? "white" : "grey");
    }
    return out;
}

} // namespace

void tst_Form_guarda::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_game = std::make_unique<PartitaDiProva>();
}

void tst_Form_guarda::cleanup()
{
    QVERIFY(m_game->boxes.boxes().isEmpty());
    m_game.reset();
}

void tst_Form_guarda::load(const QByteArray &records)
{
    writeBytes(setPath(), records);
    m_game->dialog.scegli(setPath());
    lotto()->cmd_carica->click();
    m_game->player.take();
}

void tst_Form_guarda::doubleClick(ListaSchede *list, int row)
{
    if (row >= 0)
        list->setCurrentIndex(list->model()->index(row, 0));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       row >= 0 ? list->visualRect(list->currentIndex()).center() : QPoint(5, 5));
}

void tst_Form_guarda::modificaOnlyForExistingList_data()
{
    QTest::addColumn<bool>("fromPlayList");
    QTest::newRow("existing tickets") << false;
    QTest::newRow("tickets to play") << true;
}

void tst_Form_guarda::modificaOnlyForExistingList()
{
    QFETCH(bool, fromPlayList);
    load(ticketRecord("Uno", {5}, {0}, {{0, 10000}}));
    if (fromPlayList) {
        lotto()->lst_esistenti->setCurrentIndex(lotto()->lst_esistenti->model()->index(0, 0));
        lotto()->cmd_destra->click();
        m_game->player.take();
    }
    doubleClick(fromPlayList ? lotto()->lst_dagioca : lotto()->lst_esistenti, 0);
    QVERIFY(viewer()->isVisible());
    QCOMPARE(viewer()->cmd_modifica->isVisible(), !fromPlayList);
    QCOMPARE(viewer()->txt_titolo1->text(), QString("Uno").leftJustified(20));
    QVERIFY(m_game->player.suonati().isEmpty()); // a double click makes no sound
    QCOMPARE(m_game->modulo.blocca_eventi, 0);
}

void tst_Form_guarda::betRowsShown_data()
{
    QTest::addColumn<Stakes>("stakes");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("Estratto only")
        << Stakes{{0, 30000}}
        << QStringList{"xon 3 white", "-off  grey", "-off  grey", "-off  grey", "-off  grey"};
    QTest::newRow("Estratto and Terno")
        << Stakes{{0, 20000}, {2, 25000}}
        << QStringList{"xon 2 white", "-on  white", "xon 2.5 white", "-off  grey", "-off  grey"};
}

void tst_Form_guarda::betRowsShown()
{
    QFETCH(Stakes, stakes);
    QFETCH(QStringList, shown);
    load(ticketRecord("Righe", {1, 2, 3, 4, 5}, {0}, stakes));
    doubleClick(lotto()->lst_esistenti, 0);
    QCOMPARE(rows(viewer()), shown);
}

void tst_Form_guarda::numbersAndWheelsShown()
{
    load(ticketRecord("Quattro", {11, 22, 33, 44}, {10}, {{0, 10000}}));
    doubleClick(lotto()->lst_esistenti, 0);
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(viewer()->txt_num1[i]->isEnabled(), i < 4);
        QCOMPARE(viewer()->txt_num1[i]->text(), i < 4 ? QString::number(11 * (i + 1)) : QString());
        QVERIFY(viewer()->txt_num1[i]->styleSheet().contains(i < 4 ? "#FFFFFF" : "#C0C0C0"));
    }
    for (int w = 0; w < 11; ++w)
        QCOMPARE(viewer()->chk_ruote1[w]->isChecked(), w == 10);
    // Read-only: nothing takes the focus or a click.
    QCOMPARE(viewer()->txt_num1[0]->focusPolicy(), Qt::NoFocus);
    QVERIFY(viewer()->chk_ruote1[3]->testAttribute(Qt::WA_TransparentForMouseEvents));
}

void tst_Form_guarda::emptyListShowsAnEmptyViewer()
{
    load(QByteArray());
    doubleClick(lotto()->lst_esistenti, -1);
    QVERIFY(viewer()->isVisible());
    QCOMPARE(viewer()->txt_titolo1->text(), QString());
    QVERIFY(viewer()->txt_num1[0]->isEnabled());
}

void tst_Form_guarda::withoutASetNoFileIsMade()
{
    load(ticketRecord("Uno", {5}, {0}, {{0, 10000}}));
    doubleClick(lotto()->lst_esistenti, 0);
    m_game->window.mnu_file_newgame_Click();
    doubleClick(lotto()->lst_esistenti, -1);
    viewer()->cmd_modifica->click();
    QCOMPARE(m_game->modulo.pos_modifica, 1u);
    QVERIFY(m_game->window.editor()->isVisible());
    QVERIFY(!QFile::exists(QStringLiteral("Nessun file caricato")));
}

void tst_Form_guarda::hintOnAClickAnywhere_data()
{
    QTest::addColumn<bool>("soundsOn");
    QTest::addColumn<bool>("fromPlayList");
    QTest::newRow("spoken") << true << false;
    QTest::newRow("written, Modifica hidden") << false << true;
}

void tst_Form_guarda::hintOnAClickAnywhere()
{
    QFETCH(bool, soundsOn);
    QFETCH(bool, fromPlayList);
    load(ticketRecord("Uno", {5}, {0}, {{0, 10000}}));
    if (fromPlayList) {
        lotto()->lst_esistenti->setCurrentIndex(lotto()->lst_esistenti->model()->index(0, 0));
        lotto()->cmd_destra->click();
    }
    doubleClick(fromPlayList ? lotto()->lst_dagioca : lotto()->lst_esistenti, 0);
    m_game->player.take();
    m_game->modulo.suoni_attivi = soundsOn;
    // On a number box inside a frame: the click reaches the window.
    QTest::mouseClick(viewer(), Qt::LeftButton, {},
                      viewer()->txt_num1[2]->mapTo(viewer(), QPoint(3, 3)));
    const QStringList played = {"Lotto\\lotto_clicca_modifica.wav"};
    const QList<FakeAvvisi::Box> box = {{"Clicca su modifica per modificare", "Avviso", false}};
    QCOMPARE(m_game->player.take(), soundsOn ? played : QStringList());
    QCOMPARE(m_game->boxes.take(), soundsOn ? QList<FakeAvvisi::Box>() : box);
}

void tst_Form_guarda::sameTitleTwiceShowsAndModifiesTheFirst()
{
    load(ticketRecord("Doppia", {1}, {0}, {{0, 10000}}) +
         ticketRecord("Doppia", {2}, {1}, {{0, 20000}}));
    doubleClick(lotto()->lst_esistenti, 1);
    QCOMPARE(viewer()->txt_num1[0]->text(), QString("1"));
    viewer()->cmd_modifica->click();
    QCOMPARE(m_game->modulo.pos_modifica, 1u);
    QVERIFY(!viewer()->isVisible());
    QVERIFY(m_game->window.editor()->isVisible());
    QCOMPARE(m_game->player.take(), QStringList{"Lotto\\click.wav"});
}

void tst_Form_guarda::modificationChangesTheTitle()
{
    const QByteArray before = ticketRecord("Primo", {1}, {0}, {{0, 10000}}) +
                              ticketRecord("Secondo", {23, 45}, {1}, {{1, 20000}}) +
                              ticketRecord("Terzo", {4}, {2}, {{0, 10000}});
    load(before);
    doubleClick(lotto()->lst_esistenti, 1);
    viewer()->cmd_modifica->click();
    Form_schede *editor = m_game->window.editor();
    QCOMPARE(editor->txt_titolo->text(), QString("Secondo").leftJustified(20));
    QCOMPARE(editor->txt_puntata[1]->text(), QString("2"));
    QCOMPARE(editor->txt_num[1]->text(), QString("45"));
    editor->txt_titolo->setText(QStringLiteral("Rinominato"));
    // Repeats are checked against the ticket's own numbers.
    m_game->player.take();
    QTest::keyClick(editor->txt_num[1], Qt::Key_End);
    QTest::keyClick(editor->txt_num[1], Qt::Key_Backspace);
    QTest::keyClick(editor->txt_num[1], Qt::Key_Backspace);
    QTest::keyClicks(editor->txt_num[1], "23");
    QCOMPARE(m_game->player.take(), QStringList{"Lotto\\lotto_num_esiste.wav"});
    QTest::keyClicks(editor->txt_num[1], "46");
    editor->cmd_salvasche->click();
    const QByteArray after = readBytes(setPath());
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.left(126), before.left(126));
    QCOMPARE(after.mid(126, 20), QByteArray("Rinominato          "));
    QCOMPARE(after.mid(126 + 44, 6), QByteArray::fromHex("17002e000000"));
    QCOMPARE(after.mid(252), before.mid(252));
    QCOMPARE(lotto()->lst_esistenti->voci(),
             (QStringList{QString("Primo").leftJustified(20), QString("Terzo").leftJustified(20),
                          QString("Rinominato").leftJustified(20)}));
    QCOMPARE(m_game->modulo.pos_modifica, 0u);
}

void tst_Form_guarda::secondDoubleClickDuringAModification()
{
    load(ticketRecord("Primo", {1}, {0}, {{0, 10000}}) +
         ticketRecord("Secondo", {2}, {1}, {{0, 20000}}));
    doubleClick(lotto()->lst_esistenti, 0);
    viewer()->cmd_modifica->click();
    doubleClick(lotto()->lst_esistenti, 1);
    QVERIFY(viewer()->isVisible());
    QCOMPARE(viewer()->txt_titolo1->text(), QString("Secondo").leftJustified(20));
    // The save now takes "Secondo" as the old title, so "Primo" reads as another ticket's.
    m_game->player.take();
    m_game->window.editor()->cmd_salvasche->click();
    QCOMPARE(m_game->player.take(),
             (QStringList{"Lotto\\click.wav", "Lotto\\lotto_titolo_esistente.wav"}));
    QCOMPARE(m_game->modulo.pos_modifica, 1u);
}

QTEST_MAIN(tst_Form_guarda)
#include "tst_form_guarda.moc"
