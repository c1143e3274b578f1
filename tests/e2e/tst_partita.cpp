#include "support/partitadiprova.h"
#include "widgets/stilegioco.h"
#include "widgets/twips.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QGroupBox>
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

private Q_SLOTS:
    // On a real desktop, with a window manager's frame: the windows read in their faces, and
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
