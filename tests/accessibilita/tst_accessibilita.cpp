#include "sound/riproduttoreqt.h"
#include "support/partitadiprova.h"

#include <QAccessible>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QProcess>
#include <QTimer>

namespace {

// The real player, noting when each recording starts ("+") and ends ("-").
struct PlayerNotato : Riproduttore
{
    explicit PlayerNotato(const QString &root) : real(RadiceSuoni({root.toStdString()})) {}
    void suona(const std::string &percorso) override
    {
        const QString name = QString::fromStdString(percorso).section('\\', -1).remove(".wav");
        heard << "+" + name;
        real.suona(percorso);
        heard << "-" + name;
    }
    RiproduttoreQt real;
    QStringList heard;
};

} // namespace

// What a screen reader finds in each window: every control a player can use has a name, its
// caption when it has one.
class tst_Accessibilita : public QObject
{
    Q_OBJECT

    // Counts the controls a player uses below a node, hidden pages too, and notes those without a
    // name; a list's or a page's own scroll bars are part of it.
    static int walk(QAccessibleInterface *node, QStringList &unnamed)
    {
        using A = QAccessible;
        const QObject *object = node->object();
        const bool usable = QList{A::PushButton, A::CheckBox,    A::EditableText, A::List,
                                  A::PageTab,    A::PageTabList, A::ScrollBar,    A::MenuItem}
                                .contains(node->role()) &&
                            !(object && object->parent() &&
                              object->parent()->objectName().startsWith("qt_scrollarea"));
        if (usable && node->text(A::Name).trimmed().isEmpty())
            unnamed << (object ? object->objectName() : "?");
        // A caption a player sees is the name a screen reader says.
        if (const auto *b = qobject_cast<const QAbstractButton *>(object);
            b && !b->text().isEmpty() && node->text(A::Name) != QString(b->text()).remove('&'))
            unnamed << b->objectName() + " named " + node->text(A::Name);
        int count = usable;
        for (int i = 0; i < node->childCount(); ++i)
            count += walk(node->child(i), unnamed);
        return count;
    }

private Q_SLOTS:
    void everyControlIsNamed_data()
    {
        QTest::addColumn<int>("window");
        QTest::newRow("main window") << 0;
        QTest::newRow("editor") << 1;
        QTest::newRow("viewer") << 2;
    }
    void everyControlIsNamed()
    {
        QFETCH(int, window);
        PartitaDiProva game;
        game.fai({"carica", "scheda", "show:"});
        QStringList unnamed;
        QList<QWidget *> windows = {&game.window, game.window.editor(), game.window.visore()};
        QVERIFY(walk(QAccessible::queryAccessibleInterface(windows[window]), unnamed) > 3);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    // While a recording plays on a real output, a screen reader presses the "Lotto" tab and a
    // key turns the tab: each waits for the handler under way, then runs in its turn.
    void deafWhileSpeaking()
    {
        if (QMediaDevices::defaultAudioOutput().isNull())
            QSKIP("no audio output: see the log of the sound_nullsink_start test");
        QTemporaryDir root;
        using catalogo::Evento;
        for (Evento e : {Evento::Click, Evento::NessunaSchedinaDaGiocare, Evento::TabLotto,
                         Evento::TabRegolamento}) {
            const QString wav = root.filePath(
                QString::fromUtf8(catalogo::registrazioni(e, false)[0].data()).replace('\\', '/'));
            QVERIFY(QDir().mkpath(QFileInfo(wav).path()) &&
                    QProcess::execute("sox",
                                      {"-n", "-r22050", wav, "synth", "0.4", "sine", "440"}) == 0);
        }
        PlayerNotato player(root.path());
        FakeAvvisi boxes;
        FakeDialogoFile dialog;
        GeneratoreScriptato generatore;
        Modulo modulo{player, boxes};
        Form_gioco window{modulo, dialog, generatore};
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitFor([&] { return window.isActiveWindow(); }));
        player.heard.clear(); // the greeting, which has no recording here
        const auto press = [](QAccessibleInterface *node) {
            node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        };
        press(QAccessible::queryAccessibleInterface(window.paginaGioca()->cmd_gioca));
        QTimer::singleShot(600, &window, [&] {
            press(QAccessible::queryAccessibleInterface(window.tabStrip()->tabs())->child(2));
        });
        QTimer::singleShot(700, &window,
                           [&] { QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier); });
        QTRY_COMPARE_WITH_TIMEOUT(player.heard.size(), 8, 10000);
        QCOMPARE(player.heard.join(' '),
                 "+click -click +lotto_carica_schedine -lotto_carica_schedine "
                 "+inizio_lotto -inizio_lotto +inizio_regolamento -inizio_regolamento");
        QCOMPARE(window.tabStrip()->selezionata(), 4);
        QVERIFY(window.paginaRegolamento()->isVisible() && !window.paginaLotto()->isVisible());
    }
};

QTEST_MAIN(tst_Accessibilita)
#include "tst_accessibilita.moc"
