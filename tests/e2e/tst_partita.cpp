#include "base/lotto.h"
#include "support/partitadiprova.h"
#include "widgets/stilegioco.h"
#include "widgets/twips.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QMenuBar>
#include <QProcess>
#include <QTabBar>
#include <QTemporaryDir>
#include <QWindow>

// The game as a player meets it on a desktop: one whole game played with the keyboard alone,
// the order in which Tab goes, and what the windows look like. Run offscreen, and on a real X
// server with a window manager, where it also keeps pictures for a person to look at.
class tst_Partita : public QObject
{
    Q_OBJECT

    PartitaDiProva *game = nullptr;

    static void picture(QWidget *window, const QString &name)
    {
        const QString folder = qEnvironmentVariable("ZAFFIRONE_SCREENSHOTS");
        const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR");
        if (!folder.isEmpty())
            QVERIFY(QDir().mkpath(folder) &&
                    window->grab().save(folder + '/' + name +
                                        (scale.isEmpty() ? "" : "_scala" + scale) + ".png"));
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
                QVERIFY2(!button ||
                             QFontMetrics(w->font()).horizontalAdvance(line) + 6 <= w->width(),
                         qPrintable(where + " cut"));
            QVERIFY2(!label || label->wordWrap() || label->sizeHint().width() <= label->width() + 1,
                     qPrintable(where + " cut"));
            // Buttons side by side in one face are written in one size.
            for (QWidget *other : w->parentWidget()->findChildren<QAbstractButton *>())
                QVERIFY2(!button || other->metaObject() != w->metaObject() ||
                             other->y() != w->y() || other->font().family() != w->font().family() ||
                             QFontInfo(other->font()).pixelSize() ==
                                 QFontInfo(w->font()).pixelSize(),
                         qPrintable(where + " beside " + other->objectName()));
        }
        apart(window);
    }

    // The number boxes of a ticket: written in one size, the window's, whatever the desktop's
    // font, each number whole in its box.
    static void boxesWhole(QWidget *window)
    {
        const auto boxes = window->findChildren<QLineEdit *>(QRegularExpression("^txt_num"));
        QVERIFY(boxes.size() == 10);
        for (auto *box : boxes) {
            QCOMPARE(QFontInfo(box->font()).pixelSize(),
                     QFontInfo(box->parentWidget()->font()).pixelSize());
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) <
                         box->contentsRect().width() - 2,
                     qPrintable(box->objectName() + ": " + box->text()));
        }
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

    // Keys pressed where the focus is (in an open menu, on the menu), as Qt names them ("Tab",
    // "Shift+Backtab", "Ctrl+Shift+Backtab", "Alt+O", "F10"...), or 'text' typed; "3*Tab" repeats.
    // Returns the focused control's name.
    QString keys(const QString &keys)
    {
        for (const QString &key : keys.split(", ", Qt::SkipEmptyParts)) {
            const int times = key.contains('*') ? key.section('*', 0, 0).toInt() : 1;
            const QString name = key.section('*', -1);
            for (int i = 0; i < times; ++i) {
                QWidget *to = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                                : QApplication::focusWidget();
                if (name.startsWith('\''))
                    QTest::keyClicks(to, name.mid(1, name.size() - 2));
                else
                    QTest::keyClick(to, QKeySequence(name)[0].key(),
                                    QKeySequence(name)[0].keyboardModifiers());
                // A window opened takes the keys; one closed gives them back.
                QWidget *active = &game->window;
                for (auto *w : game->window.findChildren<QWidget *>(QRegularExpression(
                         "^(Form_schede|form_guarda|dialogo_estrazione|finestra_verifica)$")))
                    active = w->isVisible() ? w : active;
                // A busy machine may take seconds to show a window: the test waits, up to 20 s.
                if (!QTest::qWaitFor([active] { return active->isActiveWindow(); }, 20000))
                    return active->objectName() + " not active";
                QCoreApplication::processEvents();
            }
        }
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "-";
    }

    // The caption on the title bar Qt draws above `window`, in a screenshot: as wide as it is
    // written in the bar's face (the application's, 14 pixels high), not cut where the bar's
    // buttons start (the last three marks on the bar; an icon may come first).
    static void captionWhole(QWidget *window)
    {
        QTemporaryDir folder;
        QCOMPARE(QProcess::execute(
                     "sh", {"-c", "cd '" + folder.path() + "' && timeout 20 weston-screenshooter"}),
                 0);
        const QImage screen(folder.filePath(QDir(folder.path()).entryList({"*.png"}).value(0)));
        // The window's contents lie where two of their rows are found as drawn.
        const QImage drawn = window->grab().toImage().convertToFormat(screen.format());
        const auto here = [&](int x, int y) {
            return std::ranges::all_of(
                std::array{drawn.height() / 2, drawn.height() / 3}, [&](int r) {
                    return !memcmp(screen.constScanLine(y + r) + 4 * x, drawn.constScanLine(r),
                                   4 * drawn.width());
                });
        };
        QPoint at(-1, -1);
        for (int y = 0; at.y() < 0 && y + drawn.height() <= screen.height(); ++y)
            for (int x = 0; at.y() < 0 && x + drawn.width() <= screen.width(); ++x)
                at = here(x, y) ? QPoint(x, y) : at;
        QVERIFY2(at.y() >= 0, qPrintable(window->objectName() + " not on the screen"));
        const QMargins frame = window->windowHandle()->frameMargins();
        const int left = at.x() - frame.left(), right = at.x() + window->width() + frame.right();
        const int bar = screen.pixelColor(left + 1, at.y() - frame.top() / 2).value();
        QList<std::pair<int, int>> marks; // runs of columns where something is drawn on the bar
        for (int x = left; x < right; ++x)
            for (int y = at.y() - frame.top() + 4; y < at.y() - 4; ++y)
                if (std::abs(screen.pixelColor(x, y).value() - bar) >= 16) {
                    if (marks.isEmpty() || x - marks.last().second >= 8)
                        marks.append({x, x});
                    marks.last().second = x;
                    break;
                }
        marks.removeIf([&](auto mark) { return mark.second < left + 31; });
        QVERIFY2(marks.size() > 3, qPrintable(window->windowTitle()));
        QFont face = QGuiApplication::font();
        face.setPixelSize(14);
        QVERIFY2(marks[marks.size() - 4].second - marks.first().first + 1 >=
                     QFontMetrics(face).boundingRect(window->windowTitle()).width() - 2,
                 qPrintable(window->windowTitle() + " cut"));
    }

private Q_SLOTS:
    // On qt6ct's desktop, its dark colours and 14 pt font are the ones the game meets, or the run
    // proves nothing.
    void initTestCase()
    {
        if (qEnvironmentVariable("QT_QPA_PLATFORMTHEME") == "qt6ct")
            QVERIFY2(QApplication::font().pointSize() == 14 &&
                         QApplication::palette().color(QPalette::Window).lightness() < 100,
                     "qt6ct's settings were not taken: is qt6ct installed?");
    }

    // Keys as the X server delivers them (XTest, through xdotool), not as a test makes them: the
    // tab in front, whether a menu title is left lit, and the focus shown on the tab strip.
    void keysThroughTheServer_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("tab");
        QTest::newRow("at start") << QString() << 1;
        QTest::newRow("Ctrl+Tab twice, Ctrl+Shift+Tab") << "ctrl+Tab ctrl+Tab ctrl+shift+Tab" << 2;
        QTest::newRow("Ctrl+Shift+Tab from the first tab") << "ctrl+shift+Tab" << 4;
        QTest::newRow("F10, to the menu without items, out")
            << "F10 Right Right Escape Escape" << 1;
        QTest::newRow("F10, round the titles, out") << "F10 Left Left Left Escape Escape" << 1;
    }
    void keysThroughTheServer()
    {
        QFETCH(QString, keys);
        QFETCH(int, tab);
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("keys through an X server: run under tests/e2e/su_xvfb.sh");
        PartitaDiProva partita;
        QVERIFY(QTest::qWaitForWindowExposed(&partita.window));
        for (const QString &key : keys.split(' ', Qt::SkipEmptyParts)) {
            QCOMPARE(QProcess::execute("xdotool", {"key", "--clearmodifiers", key}), 0);
            QTest::qWait(150);
        }
        QCOMPARE(partita.tabs()->currentIndex() + 1, tab);
        QVERIFY(!partita.window.menuBar()->activeAction() && !QApplication::activePopupWidget());
        QCOMPARE(QApplication::focusWidget(), partita.tabs());
        const QImage focused = partita.tabs()->grab().toImage();
        partita.tabs()->clearFocus();
        QVERIFY2(partita.tabs()->grab().toImage() != focused, "focus not shown on the tab strip");
    }

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
        partita.detto();
        QCOMPARE(keys("Ctrl+Tab, Ctrl+Tab, 2*Tab, Space, Shift+Backtab, Return"), "chk_ruote_1");
        QCOMPARE(keys("2*Shift+Backtab, 'Ambo Bari', 12*Tab, Space, 2*Tab, '12', Tab, '34', 3*Tab"),
                 "chk_giocata_1");
        QCOMPARE(keys("Space, 2*Tab, '5'"), "txt_puntata_1");
        picture(partita.editor(), "editor");
        boxesWhole(partita.editor());
        QCOMPARE(keys("Tab, Return"), "cmd_scheda");
        QCOMPARE(keys("3*Tab, Down, Down, 2*Tab, Space"), "cmd_destra");
        QCOMPARE(partita.detto(),
                 "lotto_gioca / inizio_lotto / click x4 / lotto_schedina_salvata / click");
        QCOMPARE(partita.vista(), "9995 5 -5 0 | Vecchia | Ambo Bari");
        QCOMPARE(keys("Ctrl+Shift+Backtab, Tab, Space"), "cmd_gioca");
        QCOMPARE(partita.detto(), "lotto_gioca / click / ambo_bari");
        // Each number of the board, as a screen reader says it: five different on each wheel.
        const QRegularExpression said("^(\\w+), (primo|secondo|terzo|quarto|quinto) numero "
                                      "estratto: ([1-9]|[1-8]\\d|90)$");
        QList<QSet<QString>> drawn(10);
        for (std::size_t i = 0; i < 50; ++i) {
            const QString name = QAccessible::queryAccessibleInterface(
                                     partita.su<QLabel>(QString("lbl_numeri_%1").arg(i)))
                                     ->text(QAccessible::Name);
            const auto match = said.match(name);
            QVERIFY2(match.captured(1).toUpper() == lotto::kNomiRuote[i / 5].data(),
                     qPrintable(name));
            drawn[qsizetype(i / 5)] << match.captured(3);
            QVERIFY(i > 0 || name == "Bari, primo numero estratto: 34");
        }
        for (const QSet<QString> &wheel : drawn)
            QCOMPARE(wheel.size(), 5);
        picture(&partita.window, "tabellone");
        QCOMPARE(keys("Ctrl+Tab, 4*Tab, End"), "lst_esistenti");
        picture(&partita.window, "lotto");
        QCOMPARE(keys("Return"), "cmd_modifica");
        for (auto [box, shown] : {std::pair{"txt_titolo1", "Ambo Bari"}, {"txt_num1_1", "34"}})
            QCOMPARE(
                QAccessible::queryAccessibleInterface(partita.visore()->findChild<QWidget *>(box))
                    ->text(QAccessible::Value)
                    .trimmed(),
                shown);
        picture(partita.visore(), "visore");
        boxesWhole(partita.visore());
        // Changed: the stake on Ambo becomes 50, the ticket keeps its record and goes last.
        QCOMPARE(keys("Return, 17*Tab, End, '0', Tab, Return"), "lst_esistenti");
        QCOMPARE(partita.detto(), "inizio_lotto / click x2 / lotto_schedina_salvata");
        QCOMPARE(record(partita.path(), 2), "Ambo Bari[12,34|0|1:50]");
        const QStringList listed = partita.voci("lst_esistenti");
        QCOMPARE(listed.last().trimmed(), "Ambo Bari");
        QCOMPARE(listed.count(listed.last()), 1); // its old entry left the list
        QCOMPARE(keys("F10, Right, Return"), "lst_esistenti");
        QVERIFY(!partita.modulo.suoni_attivi());
        QCOMPARE(keys("Alt+O, Return, Ctrl+Tab"), "TabStrip1_schede");
        QVERIFY(partita.modulo.suoni_attivi());
        picture(&partita.window, "regolamento");
        // The letters that open the menus change neither their captions nor their names.
        QAccessibleInterface *menus =
            QAccessible::queryAccessibleInterface(partita.window.menuBar());
        for (int i = 0; i < 2; ++i)
            QCOMPARE(partita.window.menuBar()->actions()[i]->text().remove('&') + ' ' +
                         menus->child(i)->text(QAccessible::Name),
                     QStringList({"File File", "Opzioni Opzioni"})[i]);
    }

    // The real draws with the keyboard alone: a day typed into the archive from the Estrazioni
    // menu, the set checked against it, the window left with Escape.
    void realDrawsByKeysAlone()
    {
        PartitaDiProva partita;
        game = &partita;
        partita.schede["Vecchia"] = ticketRecord("Vecchia", {7}, {0}, {{0, 10000}});
        partita.fai({"archivio", "carica Vecchia"});
        partita.detto();
        const QString where = keys(""); // where the keys are back after each window
        // The menu's action opens its window in the game's turn, a moment after the key.
        const auto focused = [] {
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                               : QString();
        };
        keys("Alt+E, Down, Return");
        QTRY_COMPARE_WITH_TIMEOUT(focused(), "data_estrazione", 20000);
        QCOMPARE(keys("'06052025', Tab, '7', Tab, '08', Tab, '9', Tab, '10', Tab, '11'"),
                 "numero_0_4");
        keys("Return");
        QTRY_VERIFY(!partita.compagno.occupato());
        QTRY_VERIFY_WITH_TIMEOUT(partita.window.isActiveWindow(), 20000);
        QCOMPARE(keys(""), where);
        QCOMPARE(partita.detto(), "Estrazioni: L'estrazione del 06/05/2025 è nell'archivio.");
        keys("Alt+E, Up, Return");
        QTRY_COMPARE_WITH_TIMEOUT(focused(), "verifica_quali", 20000);
        QTRY_VERIFY(!partita.compagno.occupato());
        auto *finestra = trova(&partita.window, "finestra_verifica");
        QCOMPARE(trova<QLabel>(finestra, "verifica_totali")->text(),
                 "1 vincita in 1 estrazione. Puntato: 1. Vinto: 11.");
        QCOMPARE(trova<QDateEdit>(finestra, "verifica_data")->date(), QDate(2025, 5, 6));
        picture(finestra, "verifica");
        QCOMPARE(keys("Tab, '29042025', Tab, Up, Tab, Tab, Space"), "cmd_verifica");
        QTRY_VERIFY(!partita.compagno.occupato());
        QCOMPARE(trova<QLabel>(finestra, "verifica_totali")->text(),
                 "1 vincita in 2 estrazioni. Puntato: 2. Vinto: 11.");
        QCOMPARE(keys("Escape"), where);
        QVERIFY(!finestra->isVisible());
    }

    // Tab goes from the tab strip through the page in front, as it reads, and back; every
    // control shows the focus.
    void tabGoesThroughThePage_data()
    {
        QTest::addColumn<QString>("turn");
        QTest::addColumn<QString>("stops");
        QTest::newRow("Presentazione") << QString() << "Image2";
        // A day's box takes its day, month and year in turn, as Qt's date boxes do.
        QTest::newRow("Gioca") << QString("Ctrl+Tab")
                               << "cmd_gioca cmb_fonte txt_dal txt_dal txt_dal";
        QTest::newRow("Lotto") << QString("Ctrl+Tab, Ctrl+Tab")
                               << "cmd_scheda cmd_carica cmd_newinsie lst_esistenti cmd_all_destra "
                                  "cmd_destra cmd_sinistra cmd_all_sinistra lst_dagioca";
        QTest::newRow("Regolamento") << QString("Ctrl+Shift+Backtab") << "OLE_0 VScroll";
    }
    void tabGoesThroughThePage()
    {
        QFETCH(QString, turn);
        QFETCH(QString, stops);
        PartitaDiProva partita;
        game = &partita;
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
            QCOMPARE(keys("Tab"), stop);
            QVERIFY2(around(stop) != unfocused[stop], qPrintable(stop + ": focus not shown"));
        }
        QCOMPARE(keys("Tab"), "TabStrip1_schede");
    }

    // On a real desktop, with a window manager's frame: the windows read in their faces, and
    // the layout made when the frame came is the one every later layout makes.
    void onTheDesktop()
    {
        stile::installaSostituzioniCaratteri();
        PartitaDiProva partita;
        game = &partita;
        QVERIFY(QTest::qWaitForWindowExposed(&partita.window));
        // The frame came, and the window grew to hold the tab strip inside it: the layout is
        // made again once, then holds.
        QTest::qWait(200);
        const QWidget *area = partita.window.centralWidget();
        const QRect strip(trova(&partita.window, "TabStrip1")->geometry());
        QVERIFY(strip.top() >= 0 && strip.bottom() < area->height() &&
                strip.right() < area->width());
        QMap<QObject *, QRect> before;
        for (QWidget *w : partita.window.centralWidget()->findChildren<QWidget *>())
            before[w] = w->geometry();
        partita.window.resize(partita.window.size());
        QTest::qWait(200);
        for (QWidget *w : partita.window.centralWidget()->findChildren<QWidget *>())
            QCOMPARE(w->geometry(), before.value(w, w->geometry()));
        partita.schede["Vecchia"] = ticketRecord("Vecchia", {7}, {0}, {{0, 10000}});
        partita.fai({"tab 2", "tab 3", "carica Vecchia", "scheda", "dbl 0"});
        // Whole on the screen, whatever the screen's scale.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (QWidget *window :
             {static_cast<QWidget *>(&partita.window), static_cast<QWidget *>(partita.editor()),
              static_cast<QWidget *>(partita.visore())}) {
            QVERIFY(QTest::qWaitForWindowExposed(window));
            readable(window);
            QVERIFY2(screen.contains(window->frameGeometry()), qPrintable(window->objectName()));
            picture(window, "desktop_" + window->objectName());
        }
        // The Estrazioni menu's windows.
        partita.fai({"archivio"});
        for (auto [voce, nome] : {std::pair{"mnu_estrazioni_aggiungi", "dialogo_estrazione"},
                                  {"mnu_estrazioni_verifica", "finestra_verifica"}}) {
            partita.window.findChild<QAction *>(voce)->trigger();
            QWidget *window = trova(&partita.window, nome);
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QTRY_VERIFY(!partita.compagno.occupato());
            readable(window);
            QVERIFY2(screen.contains(window->frameGeometry()), nome);
            picture(window, QString("desktop_") + nome);
            window->close();
        }
        partita.fai({"selez"}); // the button's other caption fits as well
        QCOMPARE(partita.su<QPushButton>("cmd_selez")->text(), "Deseleziona tutto");
        readable(partita.editor());
        // Every tab is read whole, within the strip, whatever the desktop's font.
        auto *tabs = partita.window.findChild<QTabBar *>();
        for (int i = 0; i < tabs->count(); ++i)
            QVERIFY2(tabs->tabRect(i).right() < tabs->width() &&
                         tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)) <
                             tabs->tabRect(i).width(),
                     qPrintable(tabs->tabText(i)));
        // The hidden exit area lies beneath the tab strip where they meet.
        const QPoint firstTab =
            tabs->mapTo(partita.window.centralWidget(), tabs->tabRect(0).center());
        QVERIFY(partita.window.centralWidget()->childAt(firstTab)->objectName() != "lbl_esci");
    }
    // Where Qt draws the title bars itself, on Wayland (su_weston.sh), the editor's caption,
    // the longest with the player's points, is read whole.
    void captionsWholeOnWayland()
    {
        if (!QGuiApplication::platformName().startsWith("wayland"))
            QSKIP("Qt draws its own title bars on Wayland only");
        PartitaDiProva partita;
        game = &partita;
        partita.schede["Vecchia"] = ticketRecord("Vecchia", {7}, {0}, {{0, 10000}});
        partita.fai({"tab 2", "tab 3", "carica Vecchia", "scheda"});
        QVERIFY(QTest::qWaitForWindowExposed(partita.editor()));
        QTest::qWait(300);
        captionWhole(partita.editor());
        // Made wider, it is still covered by its picture.
        const auto parts = partita.editor()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QVERIFY(std::any_of(parts.begin(), parts.end(), [&](QWidget *part) {
            return part->geometry() == partita.editor()->rect();
        }));
    }
};

QTEST_MAIN(tst_Partita)
#include "tst_partita.moc"
