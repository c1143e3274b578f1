#include "main_window/dialogofileqt.h"
#include "widgets/avvisiqt.h"
#include "widgets/italiano.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

// The real Qt file dialog, driven as a player drives it: the name typed into its field, then
// Open, Save or Cancel. The game reads the field after the dialog closes.
class tst_DialogoFileQt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { parlaItaliano(*QCoreApplication::instance()); }
    void fieldAfterTheDialog_data();
    void fieldAfterTheDialog();
    void messageBoxesSpeakItalian();
};

namespace {

// What the player does in the next dialog: the name typed into its field, then Save or Open;
// with no name, Cancel. What the field showed when the dialog opened is kept.
struct Risposta
{
    QString typed;
    QString shown;
    QStringList buttons;  // the dialog's buttons, as they read
    QStringList kinds;    // the kind of each file listed, as its column reads
    bool headings = true; // every column's heading shows whole

    void allaProssima()
    {
        QTimer::singleShot(0, [this] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            shown = field->text();
            auto *view = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
            QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 2); // "senza" is filtered out
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                kinds << view->model()->index(row, 2, view->rootIndex()).data().toString();
            QHeaderView *header = view->header();
            for (int column = 1; column < header->count(); ++column)
                headings = headings &&
                           header->fontMetrics().horizontalAdvance(
                               header->model()->headerData(column, Qt::Horizontal).toString()) <
                               header->sectionSize(column);
            auto *box = dialog->findChild<QDialogButtonBox *>();
            for (QAbstractButton *button : box->buttons())
                buttons << button->text().remove(u'&');
            const auto closer = qScopeGuard([dialog] {
                if (dialog->isVisible())
                    dialog->reject(); // never leave a dialog nobody answers
            });
            if (!typed.isEmpty()) {
                // Typed over what the field shows, as a player does with the field in focus.
                dialog->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(dialog));
                field->setFocus();
                QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(field, typed);
            }
            const auto which = typed.isEmpty() ? QDialogButtonBox::Cancel
                               : dialog->acceptMode() == QFileDialog::AcceptOpen
                                   ? QDialogButtonBox::Open
                                   : QDialogButtonBox::Save;
            QTest::mouseClick(box->button(which), Qt::LeftButton);
        });
    }
};

} // namespace

void tst_DialogoFileQt::fieldAfterTheDialog_data()
{
    QTest::addColumn<QString>("firstName");  // typed in a first open dialog, "" for none
    QTest::addColumn<QString>("secondName"); // typed in a second save dialog, or cancelled
    QTest::addColumn<QString>("fieldShown"); // the second dialog's field when it opened
    QTest::addColumn<QString>("result");     // the field afterwards, {dir} for the folder

    const auto row = [](const char *name, const char *first, const char *second, const char *shown,
                        const char *result) {
        QTest::newRow(name) << QString(first) << QString(second) << QString(shown)
                            << QString(result);
    };
    row("cancel at first", "", "", "*.slott", "*.slott");
    row("a new set gets its extension", "", "nuovo", "*.slott", "{dir}/nuovo.slott");
    row("a new set by the name of a file without one", "", "senza", "*.slott", "{dir}/senza.slott");
    row("a new set with an extension of its own", "", "mio.txt", "*.slott", "{dir}/mio.txt");
    row("an existing set loaded as typed", "senza", "", "senza", "{dir}/senza");
    row("cancel after a choice", "uno.slott", "", "uno.slott", "{dir}/uno.slott");
}

void tst_DialogoFileQt::fieldAfterTheDialog()
{
    QFETCH(QString, firstName);
    QFETCH(QString, secondName);
    QFETCH(QString, fieldShown);
    QFETCH(QString, result);
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("senza")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("cartella")));
    QFile set(dir.filePath(QStringLiteral("vecchio.slott")));
    QVERIFY(set.open(QIODevice::WriteOnly));
    // The dialog first opens in the player's home, wherever the game was started from.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", dir.path().toUtf8());
    const auto back = qScopeGuard([&] { qputenv("HOME", home); });
    DialogoFileQt dialog;
    dialog.impostaFiltro(DialogoFile::kFiltro);
    Risposta first{firstName, {}, {}, {}, true};
    if (!firstName.isEmpty()) {
        first.allaProssima();
        dialog.mostraApri();
    }
    Risposta second{secondName, {}, {}, {}, true};
    second.allaProssima();
    dialog.mostraSalva();
    QCOMPARE(second.shown, fieldShown);
    QCOMPARE(second.buttons, (QStringList{"Salva", "Annulla"}));
    QCOMPARE(second.kinds, (QStringList{"Cartella", "Insieme di schede"}));
    QVERIFY(second.headings);
    QCOMPARE(QString::fromStdString(dialog.nomeFile()),
             QString(result).replace(QStringLiteral("{dir}"), dir.path()));
}

// The game's message boxes: Qt's own buttons read in Italian, whatever the user's language,
// and a screen reader hears the box.
void tst_DialogoFileQt::messageBoxesSpeakItalian()
{
    AvvisiQt avvisi;
    std::optional<bool> answer;
    avvisi.chiedi("Il file è già esistente,sovrascriverlo?", "Avviso",
                  [&](bool yes) { answer = yes; });
    QMessageBox *box = nullptr;
    QTRY_VERIFY(box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
    QStringList read;
    for (QAbstractButton *button : box->buttons())
        read << button->text().remove(u'&');
    // A screen reader reads it as an alert: its title, then its text.
    const QAccessibleInterface *said = QAccessible::queryAccessibleInterface(box);
    read << QString::number(said->role()) + ' ' + said->text(QAccessible::Name) + ": " +
                said->text(QAccessible::Value);
    QVERIFY(!answer);
    box->button(QMessageBox::No)->click();
    QCOMPARE(answer, std::optional(false));
    read.sort();
    QCOMPARE(read, (QStringList{QString::number(QAccessible::AlertMessage) +
                                    " Avviso: Il file è già esistente,sovrascriverlo?",
                                "No", "Sì"}));
}

QTEST_MAIN(tst_DialogoFileQt)
#include "tst_dialogofileqt.moc"
