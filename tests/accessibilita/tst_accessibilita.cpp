#include "support/partitadiprova.h"

#include <QAccessible>
#include <QTabBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include <functional>

namespace {

// A player that, while it speaks its first recording, does what it is given: what a screen
// reader or the keyboard does meanwhile. Each recording is noted as it starts ("+") and ends.
struct PlayerCheAgisce : Riproduttore
{
    void suona(const std::string &percorso, std::function<void()> fine) override
    {
        const QString name = QString::fromStdString(percorso).section('\\', -1).remove(".wav");
        heard << "+" + name;
        QTimer::singleShot(1, [this, name, fine] {
            if (const auto act = std::exchange(meanwhile, {}))
                act();
            heard << "-" + name;
            fine();
        });
    }
    bool udibile() const override { return true; }
    std::function<void()> meanwhile;
    QStringList heard;
};

} // namespace

// What a screen reader finds in each window: every control a player can use has a name, its
// caption when it has one.
class tst_Accessibilita : public QObject
{
    Q_OBJECT

    // Counts the controls a player uses below a node, hidden pages too, and notes those without a
    // name; a list's or a page's own scroll bars, a choice's list, are part of it.
    static int walk(QAccessibleInterface *node, QStringList &unnamed)
    {
        using A = QAccessible;
        const QObject *object = node->object();
        const bool usable = QList{A::PushButton,  A::CheckBox,  A::EditableText, A::List,
                                  A::PageTab,     A::ComboBox,  A::SpinBox,      A::Table,
                                  A::PageTabList, A::ScrollBar, A::MenuItem}
                                .contains(node->role()) &&
                            !(object && object->parent() &&
                              (object->parent()->objectName().startsWith("qt_scrollarea") ||
                               object->parent()->inherits("QComboBoxPrivateContainer")));
        if (usable && node->text(A::Name).trimmed().isEmpty())
            unnamed << (object ? object->objectName() + "/" + object->metaObject()->className()
                               : "?");
        // Decoration is no control: the focus frame is not met on the way.
        if (object && object->inherits("QFocusFrame"))
            unnamed << "a focus frame";
        // A caption a player sees is the name a screen reader says; symbols are said by what
        // they do.
        if (const auto *b = qobject_cast<const QAbstractButton *>(object);
            b && !b->text().isEmpty()) {
            const bool words = b->text().contains(QRegularExpression("\\w"));
            if (words ? node->text(A::Name) != QString(b->text()).remove('&')
                      : !node->text(A::Name).contains(QRegularExpression("\\w{4}")))
                unnamed << b->objectName() + " named " + node->text(A::Name);
        }
        int count = usable;
        for (int i = 0; i < node->childCount(); ++i)
            count += walk(node->child(i), unnamed);
        return count;
    }

    // A window of the Estrazioni menu, opened from it.
    static QWidget *apri(PartitaDiProva &game, const char *voce, const char *finestra)
    {
        game.window.findChild<QAction *>(voce)->trigger();
        QWidget *aperta = trova(&game.window, finestra);
        if (!QTest::qWaitFor([&] { return !game.compagno.occupato(); }))
            qWarning("the companion did not answer");
        return aperta;
    }

private Q_SLOTS:
    void everyControlIsNamed_data()
    {
        QTest::addColumn<int>("window");
        QTest::newRow("main window") << 0;
        QTest::newRow("editor") << 1;
        QTest::newRow("viewer") << 2;
        QTest::newRow("a day typed in") << 3;
        QTest::newRow("the check of the set") << 4;
    }
    void everyControlIsNamed()
    {
        QFETCH(int, window);
        PartitaDiProva game;
        game.fai({"carica", "scheda", "show:"});
        QStringList unnamed;
        QList<QWidget *> windows = {&game.window, game.editor(), game.visore()};
        if (window > 2)
            windows << apri(game, "mnu_estrazioni_aggiungi", "dialogo_estrazione")
                    << apri(game, "mnu_estrazioni_verifica", "finestra_verifica");
        QVERIFY(walk(QAccessible::queryAccessibleInterface(windows[window]), unnamed) > 3);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    // Windows by their caption, values by their caption, text without private characters.
    void namesAndRoles_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("labelledBy");
        const auto row = [](const char *control, QAccessible::Role role, const char *name,
                            const char *by = "") {
            QTest::newRow(control) << control << int(role) << QString::fromUtf8(name) << by;
        };
        row("Form_schede", QAccessible::Dialog, "Compila la tua schedina, hai 10000 punti");
        row("form_guarda", QAccessible::Dialog, "Visualizza schedina");
        row("lbl_punti", QAccessible::StaticText, "Punti: 10000", "Punti:");
        row("lbl_somma", QAccessible::StaticText, "Posta in gioco: 0", "Posta in gioco:");
        row("lbl_situazione", QAccessible::StaticText, "La tua situazione: 0",
            "La tua situazione:");
        row("lbl_vincita", QAccessible::StaticText, "Hai vinto: 0", "Hai vinto:");
        row("OLE_0", QAccessible::StaticText, "Regole del gioco, pagina 1 di 4", "Regolamento");
        row("titolo_regola_0_0", QAccessible::Heading, "L’estrazione");
        row("titolo_regola_3_0", QAccessible::Heading, "Quanto si vince");
        row("cmd_all_destra", QAccessible::Button, "Gioca tutte le schedine", "Lotto");
        row("cmd_sinistra", QAccessible::Button, "Togli le schedine selezionate dal gioco",
            "Lotto");
        row("lbl_esci", QAccessible::Button, "Esci dal gioco");
        row("VScroll", QAccessible::ScrollBar, "Pagina del regolamento", "Regolamento");
        row("dialogo_estrazione", QAccessible::Dialog, "Aggiungi un'estrazione");
        row("numero_1_0", QAccessible::EditableText, "Cagliari, numero 1", "Cagliari");
        row("numero_10_4", QAccessible::EditableText, "Nazionale, numero 5");
        row("finestra_verifica", QAccessible::Dialog, "Verifica le schedine");
        row("verifica_colpi", QAccessible::SpinBox, "Estrazioni:", "Estrazioni:");
        row("verifica_vincite", QAccessible::Table, "Vincite");
    }
    void namesAndRoles()
    {
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, labelledBy);
        PartitaDiProva game;
        game.fai({"carica", "scheda", "show:", "tab 4", "tab 2"});
        apri(game, "mnu_estrazioni_aggiungi", "dialogo_estrazione");
        apri(game, "mnu_estrazioni_verifica", "finestra_verifica");
        QWidget *w = trova(&game.window, control);
        if (control.startsWith("OLE"))
            QTRY_VERIFY(!qobject_cast<QTextBrowser *>(w)->toPlainText().isEmpty());
        // A heading lies over its own lines on its page.
        if (auto *page = qobject_cast<QTextBrowser *>(w->parentWidget()->parentWidget()))
            QCOMPARE(page->cursorForPosition(w->geometry().center()).block().text(), name);
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(w);
        QCOMPARE(int(node->role()), role);
        QCOMPARE(node->text(QAccessible::Name), name);
        const auto labels = node->relations(QAccessible::Label);
        QCOMPARE(labels.isEmpty() ? QString()
                                  : labels.first().first->text(QAccessible::Name).trimmed(),
                 labelledBy);
        if (QAccessibleTextInterface *text = node->textInterface())
            QVERIFY(!text->text(0, text->characterCount())
                         .contains(QRegularExpression("[\\x{fdd0}\\x{fdd1}]")));
    }

    // The hidden exit pressed by a screen reader ends the game as a click on it does.
    void hiddenExitPressed()
    {
        PartitaDiProva game;
        game.detto();
        QAccessibleInterface *uscita =
            QAccessible::queryAccessibleInterface(trova(&game.window, "lbl_esci"));
        QVERIFY(uscita->actionInterface());
        uscita->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(game.detto(), "~visiiii / the end");
    }

    // While the click of "Nuova partita" is heard, a screen reader presses the "Lotto" tab and a
    // key turns the tab: each waits for the new game and its greeting, then runs in its turn.
    void deafWhileSpeaking()
    {
        PlayerCheAgisce player;
        FakeAvvisi boxes;
        FakeDialogoFile dialog;
        GeneratoreScriptato generatore;
        Modulo modulo{player, boxes};
        Partita partita;
        FakeDialogoFile dialogArchivio;
        Compagno compagno{cliPath()};
        FakeSceltaStampante stampante{QString()};
        Form_gioco window{partita, modulo, dialog, generatore, compagno, dialogArchivio, stampante};
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitFor([&] { return window.isActiveWindow(); }));
        QTRY_VERIFY(!modulo.presentatore().occupato()); // the greeting heard
        auto *tabs = trova<QTabBar>(&window, "TabStrip1_schede");
        const auto press = [](QObject *object, int child = -1) {
            QAccessibleInterface *node = QAccessible::queryAccessibleInterface(object);
            (child < 0 ? node : node->child(child))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
        };
        player.heard.clear();
        player.meanwhile = [&] {
            press(tabs, 2);
            QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier);
        };
        press(trova(&window, "mnu_file"), 0);
        QTRY_COMPARE(player.heard.join(' '),
                     "+click -click +inizio_programma -inizio_programma +il lotto quando vuoi da "
                     "normalizzare -il lotto quando vuoi da normalizzare +nuova_partita "
                     "-nuova_partita +inizio_lotto -inizio_lotto +inizio_regolamento "
                     "-inizio_regolamento");
        QCOMPARE(tabs->currentIndex(), 3);
        QVERIFY(window.findChild<PaginaRegolamento *>()->isVisible() &&
                !window.findChild<PaginaLotto *>()->isVisible());
    }
};

QTEST_MAIN(tst_Accessibilita)
#include "tst_accessibilita.moc"
