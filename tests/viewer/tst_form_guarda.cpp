#include "support/finestre.h"

#include <QSignalSpy>

namespace {

// Cleared after a whole ticket: the number boxes are greyed, the stake boxes only closed.
const QString kCleared = "_ | o -! -! -! -!";
const QByteArray kPrimo = ticketRecord("Primo", {1}, {0}, {{0, 10000}});
const QByteArray kSecondo = ticketRecord("Secondo", {23, 45, 67}, {1}, {{1, 20000}});
const QByteArray kTerzo = ticketRecord("Terzo", {4}, {2}, {{0, 10000}});

} // namespace

// The ticket viewer on its own, and the ticket it hands to the editor for a modification.
class tst_Form_guarda : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shows_data()
    {
        QTest::addColumn<QByteArray>("records");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("state");
        const QByteArray five = ticketRecord("Righe", {1, 2, 3, 4, 5}, {0}, {{0, 30000}});
        QTest::newRow("Estratto alone")
            << five << titolo20("Righe") << "1 2 3 4 5 | x3 | xoooooooooo";
        QTest::newRow("Estratto and Terno: Ambo open and empty")
            << ticketRecord("Righe", {1, 2, 3}, {0}, {{0, 20000}, {2, 25000}}) << titolo20("Righe")
            << "1 2 3 | x2 o x2.5 | xoooooooooo";
        QTest::newRow("four numbers on TUTTE")
            << ticketRecord("Quattro", {11, 22, 33, 44}, {10}, {{0, 10000}}) << titolo20("Quattro")
            << "11 22 33 44 | x1 | oooooooooox";
        QTest::newRow("the first of two with one title")
            << ticketRecord("Doppia", {1}, {0}, {{0, 10000}}) + ticketRecord("Doppia", {2}, {1}, {})
            << titolo20("Doppia") << "1 | x1 | xoooooooooo";
        QTest::newRow("titles compared as stored, blanks and all") << five << "Righe" << kCleared;
        QTest::newRow("an empty list") << QByteArray() << QString() << kCleared;
    }
    void shows()
    {
        QFETCH(QByteArray, records);
        QFETCH(QString, entry);
        QFETCH(QString, state);
        const QList<int> all = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        SchedeDiProva f(
            ticketRecord("Piena", all.mid(1), all, {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}}) +
            records);
        f.viewer.mostra(titolo20("Piena"), true);
        f.viewer.mostra(entry, false); // as from the play list: no "Modifica"
        QVERIFY(f.viewer.isVisible());
        QCOMPARE(stato(f.viewer.campi), state);
        QCOMPARE(f.viewer.txt_titolo1->text(), state == kCleared ? QString() : entry);
        QVERIFY(!f.viewer.cmd_modifica->isVisible());
        QCOMPARE(f.modulo.blocca_eventi, 0);
        QCOMPARE(f.detto(), QStringList()); // showing a ticket makes no sound
    }

    void modifica_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after"); // the set when "Modifica" is pressed; none: no set
        QTest::addColumn<uint>("record");
        const QByteArray blanks = ticketRecord(" Secondo", {9}, {0}, {{0, 10000}});
        QTest::newRow("its own record") << kPrimo + kSecondo << kPrimo + kSecondo << 2u;
        QTest::newRow("the first whose title matches, blanks aside")
            << blanks + kSecondo << blanks + kSecondo << 1u;
        QTest::newRow("gone from the set: after the last") << kSecondo << kPrimo + kPrimo << 3u;
        QTest::newRow("no set open any more: record 1") << kSecondo << QByteArray() << 1u;
    }
    void modifica()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(uint, record);
        SchedeDiProva f(before);
        f.viewer.mostra(titolo20("Secondo"), true);
        if (after.isEmpty())
            f.modulo.file_insieme = Modulo::kNessunFile;
        writeBytes(f.path(), after);
        QSignalSpy asked(&f.viewer, &form_guarda::modificaChiesta);
        QVERIFY(f.viewer.cmd_modifica->isVisible());
        f.viewer.cmd_modifica->click();
        QCOMPARE(f.modulo.pos_modifica, record);
        QCOMPARE(asked.count(), 1);
        QVERIFY(!f.viewer.isVisible());
        QCOMPARE(f.detto(), QStringList{"click"});
        QVERIFY(!QFile::exists(QString::fromUtf8(Modulo::kNessunFile.data())));
        // The editor takes the ticket as the viewer shows it, the title's blanks too.
        f.editor.prendiDalVisore();
        QCOMPARE(f.editor.txt_titolo->text(), titolo20("Secondo"));
        QCOMPARE(stato(f.editor.campi), "23 45 67 | o x2 o | oxooooooooo");
    }

    void modificationSaved_data()
    {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("told");
        const QString taken = "Errore: Il titolo della scheda è già esistente, cambialo.";
        const QString saved = "Avviso: Schedina salvata ";
        QTest::newRow("a new title, in the same place")
            << "mute, title:Rinominato, save"
            << ticketRecord("Rinominato", {23, 45, 67}, {1}, {{1, 20000}}) << saved;
        QTest::newRow("its own numbers are repeats; emptying a box closes none")
            << "del 1, del 1, 1:23, 1:46, mute, save"
            << ticketRecord("Secondo", {23, 46, 67}, {1}, {{1, 20000}})
            << "lotto_num_esiste / " + saved;
        QTest::newRow("a bet type unticked keeps its stake")
            << "bet 1, bet 1, mute, save" << kSecondo << saved;
        QTest::newRow("another ticket's title")
            << "mute, title:Terzo, save" << QByteArray() << taken;
        QTest::newRow("the viewer shows another ticket meanwhile")
            << "show:Terzo, mute, save" << QByteArray() << taken;
    }
    void modificationSaved()
    {
        QFETCH(QString, actions);
        QFETCH(QByteArray, written);
        QFETCH(QString, told);
        SchedeDiProva f(kPrimo + kSecondo + kTerzo);
        f.viewer.mostra(titolo20("Secondo"), true);
        f.viewer.cmd_modifica->click();
        f.editor.prendiDalVisore();
        f.detto();
        QSignalSpy rewritten(&f.editor, &Form_schede::schedinaRiscritta);
        QSignalSpy added(&f.editor, &Form_schede::schedinaSalvata);
        f.fai(actions.split(", "));
        const bool saved = !written.isEmpty();
        QCOMPARE(f.detto(), told.split(" / "));
        QCOMPARE(readBytes(f.path()), kPrimo + (saved ? written : kSecondo) + kTerzo);
        QCOMPARE(f.modulo.pos_modifica, saved ? 0u : 2u);
        QCOMPARE(rewritten.count() + added.count(), 2 * saved);
        if (saved) {
            QCOMPARE(rewritten[0][0].toString(), titolo20("Secondo"));
            QCOMPARE(added[0][0].toString(), QString::fromLatin1(written.left(20)));
        }
    }

    void hintOnAClickAnywhere()
    {
        SchedeDiProva f(kSecondo);
        f.viewer.mostra(titolo20("Secondo"), false);
        // On a number box inside a frame, the click goes on to the window: said, or written.
        const QPoint onABox = f.viewer.txt_num1[2]->mapTo(&f.viewer, QPoint(3, 3));
        QTest::mouseClick(&f.viewer, Qt::LeftButton, {}, onABox);
        f.modulo.suoni_attivi = 0;
        QTest::mouseClick(&f.viewer, Qt::LeftButton, {}, onABox);
        f.modulo.suoni_attivi = 1;
        f.viewer.cmd_esci1->click();
        QCOMPARE(f.detto(), (QStringList{"lotto_clicca_modifica", "click",
                                         "Avviso: Clicca su modifica per modificare"}));
        QVERIFY(!f.viewer.isVisible());
    }
};

QTEST_MAIN(tst_Form_guarda)
#include "tst_form_guarda.moc"
