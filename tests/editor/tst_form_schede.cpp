#include "editor/form_schede.h"
#include "editor/inserimentonumeri.h"
#include "main_window/listaschede.h"
#include "main_window/paginalotto.h"
#include "support/clirunner.h"
#include "support/partitadiprova.h"
#include "support/setfiles.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The ticket editor driven as a player does: keys, clicks, the bet types and wheels, and the
// save with its checks.
class tst_Form_schede : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void openingClicksTwice();
    void openingRefusedWithoutASet_data();
    void openingRefusedWithoutASet();
    void digitsTypedIntoABox_data();
    void digitsTypedIntoABox();
    void stakeBoxesTakeDigitsOnly_data();
    void stakeBoxesTakeDigitsOnly();
    void repeatFoundOnKeyRelease();
    void repeatFoundOnlyByTheClick();
    void zeroCaughtByTheClick();
    void emptyingABoxClosesTheOnesAfter();
    void betTypesFollowTheNumbers();
    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void savedTicketReadBackByTheCompanion();
    void wheelsStored_data();
    void wheelsStored();
    void longTitlePassesAndIsCut();
    void saveAfterNewGameIsRefused();
    void esciAndActivation();
    void keyboardAloneInTheDesignedOrder();

private:
    QString setPath() const { return m_dir->filePath(QStringLiteral("set.slott")); }
    Form_schede *editor() const { return m_game->window.editor(); }
    void type(int box, const QString &keys) { QTest::keyClicks(editor()->txt_num[box], keys); }
    void numbers(const QStringList &values);
    void clickBox(int box) { QTest::mouseClick(editor()->txt_num[box], Qt::LeftButton); }
    QStringList boxes() const;
    void writeTicket(const QString &title, const QStringList &values, int bet,
                     const QString &stake);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PartitaDiProva> m_game;
};

namespace {

const QString kClick = "Lotto\\click.wav";
const QString kRange = "Lotto\\lotto_num_tra_1_e_90.wav";
const QString kRepeat = "Lotto\\lotto_num_esiste.wav";
const QString kDigits = "Lotto\\lotto_cifre.wav";

void typeText(QWidget *widget, const QString &text);

} // namespace

void tst_Form_schede::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_game = std::make_unique<PartitaDiProva>();
    writeBytes(setPath(), provaRecord());
    m_game->dialog.scegli(setPath());
    m_game->window.paginaLotto()->cmd_carica->click();
    m_game->window.paginaLotto()->cmd_scheda->click();
    QVERIFY(editor()->isVisible());
    m_game->player.take();
}

void tst_Form_schede::cleanup()
{
    QVERIFY(m_game->boxes.boxes().isEmpty());
    m_game.reset();
}

void tst_Form_schede::numbers(const QStringList &values)
{
    for (int i = 0; i < values.size(); ++i)
        type(i, values[i]);
}

QStringList tst_Form_schede::boxes() const
{
    QStringList texts;
    for (QLineEdit *box : editor()->txt_num)
        texts << (box->isEnabled() ? box->text() : QStringLiteral("-"));
    return texts;
}

namespace {

// Types any text, accented letters included, one key event a character.
void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        const Qt::Key key = c.unicode() < 0x80 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
    }
}

} // namespace

void tst_Form_schede::writeTicket(const QString &title, const QStringList &values, int bet,
                                  const QString &stake)
{
    typeText(editor()->txt_titolo, title);
    numbers(values);
    editor()->chk_ruote[0]->setChecked(true);
    editor()->chk_giocata[bet]->setChecked(true);
    QTest::keyClicks(editor()->txt_puntata[bet], stake);
}

void tst_Form_schede::openingClicksTwice()
{
    m_game->window.paginaLotto()->cmd_scheda->click();
    QCOMPARE(m_game->player.take(), (QStringList{kClick, kClick}));
    QVERIFY(editor()->cmd_salvasche->isEnabled());
    QCOMPARE(m_game->modulo.pos_modifica, 0u);
}

void tst_Form_schede::openingRefusedWithoutASet_data()
{
    QTest::addColumn<bool>("soundsOn");
    QTest::newRow("sounds on") << true;
    QTest::newRow("sounds off") << false;
}

void tst_Form_schede::openingRefusedWithoutASet()
{
    QFETCH(bool, soundsOn);
    editor()->close(); // from its title bar: gone until opened again
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_game->window.findChild<Form_schede *>());
    m_game->window.mnu_file_newgame_Click();
    m_game->player.take();
    m_game->modulo.suoni_attivi = soundsOn;
    m_game->window.paginaLotto()->cmd_scheda->click();
    const QStringList played = {kClick, "Lotto\\lott_almeno_un_file.wav"};
    const QList<FakeAvvisi::Box> box = {{"Non hai caricato nessun file", "Errore", false}};
    QCOMPARE(m_game->player.take(), soundsOn ? played : QStringList());
    QCOMPARE(m_game->boxes.take(), soundsOn ? QList<FakeAvvisi::Box>() : box);
    QVERIFY(!m_game->window.findChild<Form_schede *>());
}

void tst_Form_schede::digitsTypedIntoABox_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("played");
    QTest::newRow("9 then 5: 95 refused") << "95"
                                          << "9" << QStringList{kRange};
    QTest::newRow("0 accepted") << "0"
                                << "0" << QStringList{};
    QTest::newRow("00 refused") << "00"
                                << "0" << QStringList{kRange};
    QTest::newRow("05 accepted") << "05"
                                 << "05" << QStringList{};
    QTest::newRow("050 is 50") << "050"
                               << "050" << QStringList{};
    QTest::newRow("123 refused") << "123"
                                 << "12" << QStringList{kRange};
    QTest::newRow("a letter") << "4a"
                              << "4" << QStringList{kDigits};
    QTest::newRow("decimal comma") << "4,5"
                                   << "45" << QStringList{kDigits};
    QTest::newRow("a sign") << "-7"
                            << "7" << QStringList{kDigits};
}

void tst_Form_schede::digitsTypedIntoABox()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(QStringList, played);
    type(0, keys);
    QCOMPARE(editor()->txt_num[0]->text(), shown);
    QCOMPARE(m_game->player.take(), played);
    QCOMPARE(editor()->numeri()->valori[0], InserimentoNumeri::valore(shown));
    QVERIFY(editor()->txt_num[1]->isEnabled());
}

void tst_Form_schede::stakeBoxesTakeDigitsOnly_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("refused");
    QTest::newRow("digits") << 0 << "250"
                            << "250" << false;
    QTest::newRow("a letter") << 0 << "x"
                              << "" << true;
    QTest::newRow("decimal comma") << 0 << ","
                                   << "" << true;
    QTest::newRow("Enter refused in a stake box") << int(Qt::Key_Return) << ""
                                                  << "" << true;
}

void tst_Form_schede::stakeBoxesTakeDigitsOnly()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(bool, refused);
    QLineEdit *stake = editor()->txt_puntata[0];
    if (key != 0)
        QTest::keyClick(stake, Qt::Key(key));
    else
        QTest::keyClicks(stake, text);
    QCOMPARE(stake->text(), shown);
    QCOMPARE(m_game->player.take(), refused ? QStringList{kDigits} : QStringList{});
    // Enter is an ordinary key in a number box.
    QTest::keyClick(editor()->txt_num[0], Qt::Key_Return);
    QVERIFY(m_game->player.suonati().isEmpty());
}

void tst_Form_schede::repeatFoundOnKeyRelease()
{
    numbers({"12", "45", "33"});
    type(3, "4");
    QVERIFY(m_game->player.suonati().isEmpty());
    type(3, "5");
    QCOMPARE(m_game->player.take(), QStringList{kRepeat});
    QCOMPARE(boxes(), (QStringList{"12", "45", "33", "", "-", "-", "-", "-", "-", "-"}));
    QCOMPARE(editor()->numeri()->valori[3], -1);
}

void tst_Form_schede::repeatFoundOnlyByTheClick()
{
    numbers({"7", "8", "7"});
    QVERIFY(m_game->player.suonati().isEmpty());
    clickBox(3);
    QCOMPARE(m_game->player.take(), QStringList{kRepeat});
    QCOMPARE(boxes(), (QStringList{"7", "8", "", "-", "-", "-", "-", "-", "-", "-"}));
}

void tst_Form_schede::zeroCaughtByTheClick()
{
    numbers({"1", "0"});
    clickBox(2);
    QCOMPARE(m_game->player.take(), QStringList{kRange});
    QCOMPARE(boxes(), (QStringList{"1", "", "-", "-", "-", "-", "-", "-", "-", "-"}));
    QCOMPARE(editor()->focusWidget(), editor()->txt_num[1]);
}

void tst_Form_schede::emptyingABoxClosesTheOnesAfter()
{
    numbers({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    QTest::keyClick(editor()->txt_num[5], Qt::Key_End);
    QTest::keyClick(editor()->txt_num[5], Qt::Key_Backspace);
    QCOMPARE(boxes(), (QStringList{"1", "2", "3", "4", "5", "", "-", "-", "-", "-"}));
    type(5, "10"); // box 9 held it before
    QCOMPARE(boxes(), (QStringList{"1", "2", "3", "4", "5", "10", "", "-", "-", "-"}));
    QVERIFY(m_game->player.suonati().isEmpty());
    QVERIFY(editor()->txt_num[7]->styleSheet().contains("#C0C0C0"));
    QVERIFY(editor()->txt_num[6]->styleSheet().contains("#FFFFFF"));
}

void tst_Form_schede::betTypesFollowTheNumbers()
{
    numbers({"1", "2", "3", "4", "5"});
    QVERIFY(editor()->chk_giocata[4]->isEnabled());
    QTest::mouseClick(editor()->chk_giocata[4], Qt::LeftButton);
    QTest::keyClicks(editor()->txt_puntata[4], "2");
    QTest::keyClick(editor()->txt_num[4], Qt::Key_End);
    QTest::keyClick(editor()->txt_num[4], Qt::Key_Backspace);
    QVERIFY(!editor()->chk_giocata[4]->isEnabled());
    QVERIFY(editor()->chk_giocata[4]->isChecked());
    QVERIFY(editor()->chk_giocata[3]->isEnabled());
    // A ticked bet type before any number is refused.
    editor()->cmd_pulisci_Click();
    m_game->player.take();
    QTest::mouseClick(editor()->chk_giocata[0], Qt::LeftButton);
    QCOMPARE(m_game->player.take(), QStringList{"Lotto\\lotto_nessun_numero.wav"});
    QVERIFY(!editor()->chk_giocata[0]->isChecked());
    // The disabled but ticked Cinquina is saved as played.
    editor()->cmd_pulisci_Click();
    writeTicket("Cinque", {"1", "2", "3", "4", "5"}, 4, "2");
    QTest::keyClick(editor()->txt_num[4], Qt::Key_End);
    QTest::keyClick(editor()->txt_num[4], Qt::Key_Backspace);
    editor()->cmd_salvasche->click();
    const QByteArray saved = readBytes(setPath()).mid(126);
    QCOMPARE(saved.at(66 + 8), char(1));
    QCOMPARE(saved.mid(44, 10), QByteArray::fromHex("01000200030004000000"));
}

void tst_Form_schede::saveChecksInOrder_data()
{
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("recording");
    QTest::newRow("no title") << "title"
                              << "Non hai dato un titolo alla schedina"
                              << "Lotto\\lotto_titolo_schedina.wav";
    QTest::newRow("title in the set") << "unique"
                                      << "Il titolo della scheda è già esistente, cambialo."
                                      << "Lotto\\lotto_titolo_esistente.wav";
    QTest::newRow("no number") << "number"
                               << "Non hai gocato nessun numero"
                               << "Lotto\\lotto_nessun_numero.wav";
    QTest::newRow("zero in the last box") << "zero"
                                          << "Hai introdotto un numero non compreso tra 1 e 90"
                                          << "Lotto\\lotto_num_tra_1_e_90.wav";
    QTest::newRow("no wheel") << "wheel"
                              << "Non hai giocato nessuna ruota"
                              << "Lotto\\lotto_selezionare_almeno_1_ruota.wav";
    QTest::newRow("no bet type") << "bet"
                                 << "Almeno una giocata la devi fare"
                                 << "Lotto\\lotto_devi_fare_almeno_1_giocata.wav";
    QTest::newRow("no stake") << "stake"
                              << "Hai scelto una giocata ma non hai puntato"
                              << "Lotto\\lotto_si_giocata_no_puntata.wav";
}

void tst_Form_schede::saveChecksInOrder()
{
    QFETCH(QString, missing);
    QFETCH(QString, text);
    QFETCH(QString, recording);
    for (const bool soundsOn : {true, false}) {
        m_game->window.paginaLotto()->cmd_scheda->click();
        m_game->modulo.suoni_attivi = soundsOn;
        QTest::keyClicks(editor()->txt_titolo, missing == "title"    ? ""
                                               : missing == "unique" ? " Prova"
                                                                     : "Nuova");
        numbers(missing == "number" ? QStringList{}
                : missing == "zero" ? QStringList{"4", "0"}
                                    : QStringList{"4", "5"});
        editor()->chk_ruote[7]->setChecked(missing != "wheel");
        editor()->chk_giocata[1]->setChecked(missing != "bet" && missing != "number");
        if (missing != "stake")
            QTest::keyClicks(editor()->txt_puntata[1], "3");
        m_game->player.take();
        editor()->cmd_salvasche->click();
        const QString title = QString::fromUtf8(text.toUtf8());
        QCOMPARE(m_game->player.take(),
                 soundsOn ? QStringList({kClick, recording}) : QStringList());
        const QList<FakeAvvisi::Box> box = {{title, "Errore", false}};
        QCOMPARE(m_game->boxes.take(), soundsOn ? QList<FakeAvvisi::Box>() : box);
        QVERIFY(editor()->isVisible());
        QCOMPARE(readBytes(setPath()), provaRecord());
        if (missing == "zero") {
            QCOMPARE(boxes().mid(0, 3), (QStringList{"4", "", "-"}));
            QCOMPARE(editor()->focusWidget(), editor()->txt_num[1]);
        }
        m_game->modulo.suoni_attivi = 1;
    }
}

void tst_Form_schede::savedTicketReadBackByTheCompanion()
{
    writeTicket(QString::fromUtf8("Perché sì"), {"12", "34", "56"}, 2, "7");
    editor()->chk_ruote[0]->setChecked(false);
    editor()->chk_ruote[3]->setChecked(true);
    editor()->chk_ruote[9]->setChecked(true);
    editor()->chk_giocata[0]->setChecked(true);
    QTest::keyClicks(editor()->txt_puntata[0], "2");
    editor()->cmd_salvasche->click();
    QCOMPARE(m_game->player.take(), (QStringList{kClick, "Lotto\\lotto_schedina_salvata.wav"}));
    QVERIFY(!editor()->isVisible());
    QCOMPARE(m_game->window.paginaLotto()->lst_esistenti->voci().last(),
             QString::fromUtf8("Perché sì").leftJustified(20));
    QCOMPARE(m_game->window.findChild<QLabel *>("lbl_messaggio")->text(),
             QString("Per visualizzare la schedina fare doppio clic sulla schedina"));
    const auto dump = runCli({"dump", setPath()});
    const QJsonObject saved = QJsonDocument::fromJson(dump.out.split('\n')[1]).object();
    QCOMPARE(saved["record"].toInt(), 2);
    QCOMPARE(saved["titolo"].toString(), QString::fromUtf8("Perché sì").leftJustified(20));
    QCOMPARE(saved["ruote"].toArray(),
             QJsonDocument::fromJson("[0,0,0,1,0,0,0,0,0,1,0,0]").array());
    QCOMPARE(saved["numeri"].toArray(),
             QJsonDocument::fromJson("[12,34,56,0,0,0,0,0,0,0,0]").array());
    QCOMPARE(saved["giocate"].toArray(), QJsonDocument::fromJson("[1,0,1,0,0,0]").array());
    QCOMPARE(saved["puntate"].toArray(),
             QJsonDocument::fromJson(R"(["2","0","7","0","0","0"])").array());
    QCOMPARE(saved["costo"].toString(), QString("9"));
}

void tst_Form_schede::wheelsStored_data()
{
    QTest::addColumn<bool>("tutte");
    QTest::addColumn<QByteArray>("ruote");
    QTest::newRow("TUTTE: element 10 only")
        << true << QByteArray::fromHex("000000000000000000000000000000000000000001000000");
    QTest::newRow("Seleziona tutto: ten wheels")
        << false << QByteArray::fromHex("010001000100010001000100010001000100010000000000");
}

void tst_Form_schede::wheelsStored()
{
    QFETCH(bool, tutte);
    QFETCH(QByteArray, ruote);
    writeTicket("Ruote", {"5"}, 0, "1");
    editor()->chk_ruote[0]->setChecked(false);
    if (tutte) {
        QTest::mouseClick(editor()->chk_ruote[10], Qt::LeftButton);
        QVERIFY(!editor()->chk_ruote[3]->isEnabled());
    } else {
        editor()->cmd_selez->click();
        QCOMPARE(editor()->cmd_selez->text(), QString("Deseleziona tutto"));
    }
    editor()->cmd_salvasche->click();
    QCOMPARE(readBytes(setPath()).mid(126 + 20, 24), ruote);
}

void tst_Form_schede::longTitlePassesAndIsCut()
{
    // The stored title is the first 20 characters of this one, so the check lets it by.
    writeBytes(setPath(), recordWithTitle("Una schedina lunghis"));
    writeTicket("Una schedina lunghissima", {"5"}, 0, "1");
    editor()->cmd_salvasche->click();
    QCOMPARE(readBytes(setPath()).size(), 252);
    QCOMPARE(readBytes(setPath()).mid(126, 20), QByteArray("Una schedina lunghis"));
}

void tst_Form_schede::saveAfterNewGameIsRefused()
{
    writeTicket("Nuova", {"5"}, 0, "1");
    m_game->window.mnu_file_newgame_Click();
    m_game->player.take();
    editor()->cmd_salvasche->click();
    QCOMPARE(m_game->player.take(), (QStringList{kClick, "Lotto\\lott_almeno_un_file.wav"}));
    QVERIFY(!QFile::exists("Nessun file caricato"));
    QCOMPARE(readBytes(setPath()), provaRecord());
}

void tst_Form_schede::esciAndActivation()
{
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(editor(), &activation);
    QCOMPARE(editor()->windowTitle(), QString("Compila la tua schedina, hai 10000 punti"));
    m_game->modulo.punti = *Currency::fromWhole(7);
    editor()->cmd_esci->click();
    QVERIFY(!editor()->isVisible());
    QCOMPARE(m_game->modulo.punti, *Currency::fromWhole(10000));
    QCOMPARE(m_game->player.take(), QStringList{kClick});
}

void tst_Form_schede::keyboardAloneInTheDesignedOrder()
{
    QStringList order;
    QWidget *w = editor()->chk_ruote[1];
    for (int step = 0; step < 35; ++step) {
        order << w->objectName();
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(editor()))
            w = w->nextInFocusChain();
    }
    QStringList expected;
    for (int i = 1; i <= 10; ++i)
        expected << QStringLiteral("chk_ruote_%1").arg(i);
    expected << "chk_ruote_0"
             << "cmd_selez";
    for (int i = 0; i < 10; ++i)
        expected << QStringLiteral("txt_num_%1").arg(i);
    for (int k = 0; k < 5; ++k)
        expected << QStringLiteral("chk_giocata_%1").arg(k);
    for (int k = 0; k < 5; ++k)
        expected << QStringLiteral("txt_puntata_%1").arg(k);
    expected << "cmd_salvasche"
             << "cmd_pulisci"
             << "txt_titolo"
             << "cmd_esci";
    QCOMPARE(order, expected.mid(0, 35));

    // A whole ticket with keys only: title, number, Space on a wheel and a bet type, stake.
    QTest::keyClicks(editor()->txt_titolo, "Tastiera");
    QTest::keyClicks(editor()->txt_num[0], "21");
    QTest::keyClick(editor()->chk_ruote[4], Qt::Key_Space);
    QTest::keyClick(editor()->chk_giocata[0], Qt::Key_Space);
    QTest::keyClicks(editor()->txt_puntata[0], "3");
    QTest::keyClick(editor()->cmd_salvasche, Qt::Key_Space);
    QCOMPARE(readBytes(setPath()).size(), 252);
}

QTEST_MAIN(tst_Form_schede)
#include "tst_form_schede.moc"
