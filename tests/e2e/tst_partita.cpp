#include "shared/lotto.h"
#include "support/partitadiprova.h"
#include "widgets/stilegioco.h"
#include "widgets/twips.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QMenuBar>
#include <QTabBar>

// One whole game through the real windows, as a player plays it (see PartitaDiProva::fai): a set
// loaded, a ticket written, chosen, looked at, played and won; then changed to stake every point
// (an Estratto of 11240 besides), played and lost. Run offscreen, and on a real X server, where
// it also keeps pictures.
class tst_Partita : public QObject
{
    Q_OBJECT

    PartitaDiProva *game = nullptr;
    // A few actions, what they told the player, and a picture of a window for a person to see.
    void step(const QString &actions, const QString &told, QWidget *window = nullptr,
              const QString &picture = {})
    {
        game->fai(actions.split(", "));
        QCOMPARE(game->detto(), told);
        const QString folder = qEnvironmentVariable("ZAFFIRONE_SCREENSHOTS");
        if (window && !folder.isEmpty())
            QVERIFY(QDir().mkpath(folder) && window->grab().save(folder + '/' + picture + ".png"));
    }

    // Every caption a player sees in a window: drawn in one of the faces the game names, which
    // has every letter of it, and whole: a button's or a check box's caption fits its control.
    static void readable(QWidget *window)
    {
        const QStringList faces{"Comic Neue", "DejaVu Sans", "Noto Sans", "Liberation Sans"};
        for (QWidget *w : window->findChildren<QWidget *>()) {
            const auto *button = qobject_cast<QAbstractButton *>(w);
            const auto *label = qobject_cast<QLabel *>(w);
            const auto *frame = qobject_cast<QGroupBox *>(w);
            const QString text = button  ? button->text()
                                 : label ? label->text()
                                 : frame ? frame->title()
                                         : QString();
            if (text.trimmed().isEmpty() || !w->isVisibleTo(window))
                continue;
            const QString where = w->objectName() + ": " + text;
            QVERIFY2(faces.contains(QFontInfo(w->font()).family()),
                     qPrintable(where + " in " + QFontInfo(w->font()).family()));
            const QString letters = QString(text).remove(u'&');
            for (QChar c : letters)
                QVERIFY2(QFontMetrics(w->font()).inFont(c), qPrintable(where));
            // A button that wraps its caption needs room for its longest word only.
            for (const QString &line :
                 w->inherits("PulsanteACapo") ? text.split(u' ') : QStringList{text})
                QVERIFY2(!button || QFontMetrics(w->font()).horizontalAdvance(line) <= w->width(),
                         qPrintable(where + " cut"));
            QVERIFY2(!label || label->wordWrap() || label->sizeHint().width() <= label->width() + 1,
                     qPrintable(where + " cut"));
        }
        apart(window);
    }

    // No two controls a player reads or uses cover each other: a picture may lie under them,
    // the hidden exit area lies under everything and the pages lie on the tab strip. The windows
    // were drawn with neighbours one pixel (15 twips) over each other, as the number boxes and
    // the wheels' frame are; that much is theirs.
    static void apart(QWidget *window)
    {
        QList<QWidget *> controls;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            const auto *label = qobject_cast<QLabel *>(w);
            const bool picture = (label && label->text().isEmpty()) || w->inherits("Immagine");
            if (w->isVisibleTo(window) && !w->isWindow() && !picture &&
                !QRegularExpression("^(lbl_esci|qt_.*|)$").match(w->objectName()).hasMatch())
                controls << w;
        }
        for (QWidget *a : controls)
            for (QWidget *b : controls) {
                const QRect both = a->geometry() & b->geometry();
                const bool page = (a->inherits("TabStrip") && both == b->geometry()) ||
                                  (b->inherits("TabStrip") && both == a->geometry());
                if (a < b && a->parentWidget() == b->parentWidget() && !page)
                    QVERIFY2(std::min(both.width(), both.height()) <= twips(15),
                             qPrintable(a->objectName() + " over " + b->objectName()));
            }
    }

    // Keys pressed where the focus is (in an open menu, on the menu): "tab", "backtab", "space",
    // "enter", "esc", "down", "right", "end", "f10", "ctrl+tab", "ctrl+shift+tab", "alt+o", or
    // 'text' typed; "3*tab" repeats. Returns the focused control's name.
    QString keys(const QString &keys)
    {
        static const QMap<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> named{
            {"tab", {Qt::Key_Tab, {}}},
            {"backtab", {Qt::Key_Backtab, Qt::ShiftModifier}},
            {"space", {Qt::Key_Space, {}}},
            {"enter", {Qt::Key_Return, {}}},
            {"esc", {Qt::Key_Escape, {}}},
            {"down", {Qt::Key_Down, {}}},
            {"right", {Qt::Key_Right, {}}},
            {"end", {Qt::Key_End, {}}},
            {"f10", {Qt::Key_F10, {}}},
            {"alt+o", {Qt::Key_O, Qt::AltModifier}},
            {"ctrl+tab", {Qt::Key_Tab, Qt::ControlModifier}},
            {"ctrl+shift+tab", {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier}}};
        for (const QString &key : keys.split(", ", Qt::SkipEmptyParts)) {
            const int times = key.contains('*') ? key.section('*', 0, 0).toInt() : 1;
            const QString name = key.section('*', -1);
            for (int i = 0; i < times; ++i) {
                QWidget *to = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                                : QApplication::focusWidget();
                if (name.startsWith('\''))
                    QTest::keyClicks(to, name.mid(1, name.size() - 2));
                else
                    QTest::keyClick(to, named[name].first, named[name].second);
                // A window opened takes the keys; one closed gives them back.
                QWidget *active = &game->window;
                for (auto *w : game->window.findChildren<QWidget *>(
                         QRegularExpression("^(Form_schede|form_guarda)$")))
                    active = w->isVisible() ? w : active;
                if (!QTest::qWaitFor([active] { return active->isActiveWindow(); }))
                    return active->objectName() + " not active";
                QCoreApplication::processEvents();
            }
        }
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "-";
    }

private Q_SLOTS:
    // A whole game with the keyboard alone: a set loaded, a ticket written and saved, chosen,
    // played and read on the board as a screen reader reads it, looked at, and the sounds
    // switched off from the menu.
    void byKeysAlone()
    {
        PartitaDiProva partita;
        game = &partita;
        partita.schede["Vecchia"] = ticketRecord("Vecchia", {7}, {0}, {{0, 10000}});
        partita.fai({"scrivi Vecchia"});
        partita.dialog.scegli(partita.path());
        partita.generatore.ruote({{0, {34, 12}}});
        partita.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&partita.window));
        partita.detto();
        QCOMPARE(keys("ctrl+tab, ctrl+tab, 2*tab, space, backtab, enter"), "chk_ruote_1");
        QCOMPARE(keys("2*backtab, 'Ambo Bari', 12*tab, space, 2*tab, '12', tab, '34', 3*tab"),
                 "chk_giocata_1");
        QCOMPARE(keys("space, 2*tab, '5', tab, enter"), "cmd_scheda");
        QCOMPARE(keys("3*tab, down, down, 2*tab, space"), "cmd_destra");
        QCOMPARE(partita.detto(),
                 "lotto_gioca / inizio_lotto / click x4 / lotto_schedina_salvata / click");
        QCOMPARE(partita.vista(), "9995 5 -5 0 | Vecchia | Ambo Bari");
        QCOMPARE(keys("ctrl+shift+tab, tab, space"), "cmd_gioca");
        QCOMPARE(partita.detto(), "lotto_gioca / click / ambo_bari");
        QStringList board;
        for (QLabel *label : partita.gioca()->lbl_numeri)
            board << QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
        QCOMPARE(board.first(), "Bari, primo numero estratto: 34");
        const QRegularExpression said("^(\\w+), (primo|secondo|terzo|quarto|quinto) numero "
                                      "estratto: ([1-9]|[1-8]\\d|90)$");
        for (qsizetype w = 0; w < 10; ++w) {
            QSet<QString> drawn;
            for (qsizetype p = 0; p < 5; ++p) {
                const auto match = said.match(board[w * 5 + p]);
                QVERIFY2(match.hasMatch(), qPrintable(board[w * 5 + p]));
                QCOMPARE(match.captured(1).toUpper(), QString::fromLatin1(lotto::kNomiRuote[w]));
                drawn << match.captured(3);
            }
            QCOMPARE(drawn.size(), 5);
        }
        QCOMPARE(keys("ctrl+tab, 4*tab, end"), "lst_esistenti");
        QCOMPARE(keys("enter"), "cmd_modifica");
        for (auto [box, shown] : {std::pair{"txt_titolo1", "Ambo Bari"}, {"txt_num1_1", "34"}})
            QCOMPARE(QAccessible::queryAccessibleInterface(
                         partita.window.visore()->findChild<QWidget *>(box))
                         ->text(QAccessible::Value)
                         .trimmed(),
                     shown);
        QCOMPARE(keys("esc"), "lst_esistenti");
        QVERIFY(!partita.window.visore()->isVisible());
        QCOMPARE(partita.detto(), "inizio_lotto / click");
        QCOMPARE(keys("f10, right, enter"), "lst_esistenti");
        QCOMPARE(partita.modulo.suoni_attivi, 0);
        QCOMPARE(keys("alt+o, enter"), "lst_esistenti");
        QCOMPARE(partita.modulo.suoni_attivi, 1);
        // The letters that open the menus change neither their captions nor their names.
        QAccessibleInterface *menus =
            QAccessible::queryAccessibleInterface(partita.window.menuBar());
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(partita.window.menuBar()->actions()[i]->text().remove('&'),
                     menus->child(i)->text(QAccessible::Name));
            QCOMPARE(menus->child(i)->text(QAccessible::Name), QStringList({"File", "Opzioni"})[i]);
        }
    }

    // On a real desktop, with a window manager's frame: the windows read in their faces, and
    // Tab goes from the tab strip through the page in front, as it reads, and back; every
    // control shows the focus.
    void tabGoesThroughThePage_data()
    {
        QTest::addColumn<QString>("turn");
        QTest::addColumn<QString>("stops");
        QTest::newRow("Presentazione") << ""
                                       << "Image2";
        QTest::newRow("Gioca") << "ctrl+tab"
                               << "cmd_gioca";
        QTest::newRow("Lotto") << "ctrl+tab, ctrl+tab"
                               << "cmd_scheda cmd_carica cmd_newinsie lst_esistenti cmd_all_destra "
                                  "cmd_destra cmd_sinistra cmd_all_sinistra lst_dagioca";
        QTest::newRow("Regolamento") << "ctrl+shift+tab"
                                     << "OLE_0 VScroll";
    }
    void tabGoesThroughThePage()
    {
        QFETCH(QString, turn);
        QFETCH(QString, stops);
        PartitaDiProva partita;
        game = &partita;
        partita.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&partita.window));
        QCOMPARE(keys(turn), "TabStrip1_schede");
        const auto around = [&](const QString &name) {
            const auto *w = partita.window.findChild<QWidget *>(name);
            const QRect r(w->mapTo(&partita.window, QPoint(-3, -3)), w->size() + QSize(6, 6));
            return partita.window.grab(r).toImage();
        };
        QMap<QString, QImage> unfocused;
        for (const QString &stop : stops.split(' '))
            unfocused[stop] = around(stop);
        for (const QString &stop : stops.split(' ')) {
            QCOMPARE(keys("tab"), stop);
            QVERIFY2(around(stop) != unfocused[stop], qPrintable(stop + ": focus not shown"));
        }
        QCOMPARE(keys("tab"), "TabStrip1_schede");
    }

    // the layout made when the frame came is the one every later layout makes.
    void onTheDesktop()
    {
        stile::installaSostituzioniCaratteri();
        PartitaDiProva partita;
        game = &partita;
        QVERIFY(QTest::qWaitForWindowExposed(&partita.window));
        QMap<QObject *, QRect> before;
        for (QWidget *w : partita.window.centralWidget()->findChildren<QWidget *>())
            before[w] = w->geometry();
        partita.window.resize(partita.window.size());
        QTest::qWait(200);
        for (QWidget *w : partita.window.centralWidget()->findChildren<QWidget *>())
            QCOMPARE(w->geometry(), before.value(w, w->geometry()));
        partita.schede["Vecchia"] = ticketRecord("Vecchia", {7}, {0}, {{0, 10000}});
        partita.fai({"tab 2", "tab 3", "carica Vecchia", "scheda", "dbl 0"});
        for (QWidget *window : {static_cast<QWidget *>(&partita.window),
                                static_cast<QWidget *>(partita.window.editor()),
                                static_cast<QWidget *>(partita.window.visore())}) {
            QVERIFY(QTest::qWaitForWindowExposed(window));
            readable(window);
        }
        // The hidden exit area lies beneath the tab strip where they meet.
        auto *tabs = partita.window.findChild<QTabBar *>();
        const QPoint firstTab =
            tabs->mapTo(partita.window.centralWidget(), tabs->tabRect(0).center());
        QVERIFY(partita.window.centralWidget()->childAt(firstTab)->objectName() != "lbl_esci");
    }

    void aWholeGame()
    {
        stile::installaSostituzioniCaratteri();
        PartitaDiProva partita;
        game = &partita;
        partita.schede["Vecchia"] = ticketRecord("Vecchia", {7}, {0}, {{0, 10000}});
        step("tab 3, carica Vecchia, scheda, title:Ambo Bari, 0:12, 1:34, wheel 0, bet 1, stake "
             "1:5, state",
             "inizio_programma / ~il lotto quando vuoi da normalizzare / inizio_lotto / click x3 / "
             "12 34 _ | o x5 | xoooooooooo",
             partita.window.editor(), "editor");
        step("save, > 1, dblplay 0, viewer, record 2, vista",
             "click / lotto_schedina_salvata / click / 12 34 | o x5 | xoooooooooo -M / Ambo "
             "Bari[12,34|0|1:5] / 9995 5 -5 0 | Vecchia | Ambo Bari");
        // Played: 34 and 12 come out on Bari, and the Ambo pays 5 x 250.
        step(
            "esci1, tab 2, gioca 0:34,12, board, vista",
            "click / lotto_gioca / click / ambo_bari / board 34,12,60,61,62, / 11245 0 1245 1250 | "
            "Vecchia,Ambo Bari | ",
            &partita.window, "tabellone");
        step("tab 3, dbl 1, viewer", "inizio_lotto / 12 34 | o x5 | xoooooooooo",
             partita.window.visore(), "visore");
        step("modifica, bet 0, stake 0:11240, save, record 2, vista",
             "click x2 / lotto_schedina_salvata / Ambo Bari[12,34|0|0:11240 1:5] / 11245 0 1245 "
             "1250 | Vecchia,Ambo Bari | ");
        step("> 1, tab 2, vista, gioca 0:1, tab 1, tab 4, vista",
             "click / lotto_gioca / click / lotto_game_over / inizio_programma / "
             "inizio_regolamento / 0 11245 -10000 1250 | Vecchia | Ambo Bari / 0 0 -10000 0 | "
             "Vecchia,Ambo Bari | ",
             &partita.window, "regolamento");
    }
};

QTEST_MAIN(tst_Partita)
#include "tst_partita.moc"
