#include "support/partitadiprova.h"

#include <QAbstractButton>
#include <QFocusFrame>
#include <QGroupBox>
#include <QMenuBar>
#include <QStyleFactory>
#include <QTabBar>

#include <cmath>

namespace {

// A desktop's dark colours, as a dark session or qt6ct's "darker" scheme gives them.
QPalette dark()
{
    QPalette p;
    const auto set = [&](QPalette::ColorRole role, QColor active, QColor disabled) {
        p.setColor(QPalette::Active, role, active);
        p.setColor(QPalette::Inactive, role, active);
        p.setColor(QPalette::Disabled, role, disabled);
    };
    set(QPalette::Window, QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
    set(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE), QColor(0x80, 0x80, 0x80));
    set(QPalette::Base, QColor(0x23, 0x23, 0x23), QColor(0x2B, 0x2B, 0x2B));
    set(QPalette::AlternateBase, QColor(0x2B, 0x2B, 0x2B), QColor(0x2B, 0x2B, 0x2B));
    set(QPalette::Text, QColor(0xEE, 0xEE, 0xEE), QColor(0x80, 0x80, 0x80));
    set(QPalette::Button, QColor(0x3C, 0x3C, 0x3C), QColor(0x35, 0x35, 0x35));
    set(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE), QColor(0x80, 0x80, 0x80));
    set(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA), QColor(0x50, 0x50, 0x50));
    set(QPalette::HighlightedText, QColor(0xFF, 0xFF, 0xFF), QColor(0xA0, 0xA0, 0xA0));
    return p;
}

double luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Hides a control's text and gives it back: "" is drawn as nothing.
struct Testo
{
    QWidget *w;
    std::function<void(const QString &)> set;
    QString text;
};

QList<Testo> testi(QWidget *window)
{
    QList<Testo> all;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto *b = qobject_cast<QAbstractButton *>(w); b && !b->text().isEmpty())
            all.append({w, [b](const QString &t) { b->setText(t); }, b->text()});
        else if (auto *l = qobject_cast<QLabel *>(w); l && !l->text().isEmpty())
            all.append({w, [l](const QString &t) { l->setText(t); }, l->text()});
        else if (auto *g = qobject_cast<QGroupBox *>(w); g && !g->title().isEmpty())
            all.append({w, [g](const QString &t) { g->setTitle(t); }, g->title()});
        else if (auto *e = qobject_cast<QLineEdit *>(w); e && !e->text().isEmpty())
            all.append({w, [e](const QString &t) { e->setText(t); }, e->text()});
    }
    return all;
}

struct Lettura
{
    double contrast = 100; // of the text with what lies behind it
    double crossing = 1;   // of the most different thing behind the text with the rest
};

// How a control's text reads, on the window's pixels: the pixels its text changes, their colour
// without the text, and the text's own colour where it stands out most; and whether a line of
// the picture behind runs through the text's box.
Lettura readingOf(QWidget *window, const Testo &testo)
{
    const QRect area(testo.w->mapTo(window, QPoint()), testo.w->size());
    const QImage with = window->grab(area).toImage();
    const QSignalBlocker quiet(testo.w); // the editor's rules must not see a box emptied
    testo.set(QString());
    const QImage without = window->grab(area).toImage();
    testo.set(testo.text);
    QList<QPoint> changed;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                changed << QPoint(x, y);
    if (changed.isEmpty())
        return {}; // nothing drawn here
    QList<double> behind;
    for (const QPoint &p : changed)
        behind << luminance(without.pixel(p));
    std::sort(behind.begin(), behind.end());
    const QPoint middle = *std::find_if(changed.begin(), changed.end(), [&](QPoint p) {
        return luminance(without.pixel(p)) == behind[behind.size() / 2];
    });
    const QRgb background = without.pixel(middle);
    Lettura seen{1, 1};
    QRect box;
    for (const QPoint &p : changed) {
        seen.contrast = std::max(seen.contrast, contrast(with.pixel(p), background));
        box |= QRect(p, QSize(1, 1));
    }
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            seen.crossing = std::max(seen.crossing, contrast(without.pixel(x, y), background));
    return seen;
}

} // namespace

// Every text a player reads in the game's windows stands out from what lies behind it, with the
// desktop's light colours and with dark ones: 3:1 at least, 4.5:1 for what the player types;
// and no line of a picture runs through a label.
class tst_Contrasto : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }

    void everyText_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("darkColours");
        for (const char *window :
             {"Gioca", "Lotto", "editor", "viewer", "a day typed in", "the check of the set"}) {
            QTest::addRow("%s, light", window) << window << false;
            QTest::addRow("%s, dark", window) << window << true;
        }
    }
    void everyText()
    {
        QFETCH(QString, window);
        QFETCH(bool, darkColours);
        QApplication::setPalette(darkColours ? dark() : QApplication::style()->standardPalette());
        PartitaDiProva game;
        game.schede["Ambo"] = ticketRecord("Ambo secco su Bari 1", {12, 34}, {0}, {{1, 50000}});
        game.fai({"mute", "carica Ambo", "punti 123", "> 0", "gioca 0:12,34", "tab 3"});
        QWidget *shown = &game.window;
        if (window == "Gioca")
            game.fai({"tab 2"});
        if (window == "editor") {
            game.fai({"scheda", "title:Prima schedina", "0:12", "1:34", "bet 1", "stake 1:5"});
            shown = game.editor();
        }
        if (window == "viewer") {
            game.fai({"dbl 0"});
            shown = game.visore();
        }
        if (window == "a day typed in") {
            game.window.findChild<QAction *>("mnu_estrazioni_aggiungi")->trigger();
            QTRY_VERIFY(shown = game.window.findChild<QDialog *>("dialogo_estrazione"));
            QTest::keyClicks(shown->findChild<QLineEdit *>("numero_0_0"), "45");
        }
        if (window == "the check of the set") {
            game.fai({"archivio"});
            game.window.findChild<QAction *>("mnu_estrazioni_verifica")->trigger();
            shown = game.window.findChild<QDialog *>("finestra_verifica");
            QTRY_VERIFY(!game.compagno.occupato());
        }
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        if (const QString folder = qEnvironmentVariable("ZAFFIRONE_SCREENSHOTS"); !folder.isEmpty())
            QVERIFY(QDir().mkpath(folder) &&
                    shown->grab().save(QStringLiteral("%1/colori_%2_%3.png")
                                           .arg(folder, window, darkColours ? "scuri" : "chiari")));
        const QList<Testo> all = testi(shown);
        QVERIFY(all.size() > 5);
        for (const Testo &testo : all) {
            const double least = qobject_cast<QLineEdit *>(testo.w) ? 4.5 : 3;
            const Lettura seen = readingOf(shown, testo);
            const QString what = QString("%1 \"%2\": %3:1, crossed at %4:1")
                                     .arg(testo.w->objectName(), testo.text)
                                     .arg(seen.contrast, 0, 'f', 1)
                                     .arg(seen.crossing, 0, 'f', 1);
            QVERIFY2(seen.contrast >= least, qPrintable(what));
            // A group's title lies on its frame by design; a label on a picture has it clear.
            if (qobject_cast<QLabel *>(testo.w))
                QVERIFY2(seen.crossing < 2, qPrintable(what));
        }
    }

    // The keyboard's focus stands out on a light and a dark desktop: where a control's frame is
    // drawn, at least a band two pixels wide all round differs 3:1 from what was there before.
    void focusShows_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("darkColours");
        for (const char *control : {"lst_esistenti", "cmd_destra", "cmd_scheda", "cmd_gioca",
                                    "TabStrip1_schede", "cmd_modifica"}) {
            QTest::addRow("%s, light", control) << control << false;
            QTest::addRow("%s, dark", control) << control << true;
        }
    }
    void focusShows()
    {
        QFETCH(QString, control);
        QFETCH(bool, darkColours);
        QApplication::setPalette(darkColours ? dark() : QApplication::style()->standardPalette());
        PartitaDiProva game;
        game.schede["Ambo"] = ticketRecord("Ambo secco su Bari 1", {12, 34}, {0}, {{1, 50000}});
        game.fai({"mute", "carica Ambo", control == "cmd_gioca" ? "tab 2" : "tab 3"});
        QWidget *window = &game.window;
        if (control == "cmd_modifica") { // the viewer's, on the window's left edge
            game.fai({"dbl 0"});
            window = game.visore();
        }
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QWidget *w = window->findChild<QWidget *>(control);
        auto *tabs = qobject_cast<QTabBar *>(w);
        // The band around the control, or around the tab in front.
        const QRect area =
            tabs ? tabs->tabRect(tabs->currentIndex())
                 : QRect(w->mapTo(window, QPoint()), w->size()).adjusted(-4, -4, 4, 4);
        QWidget *under = tabs ? w : window;
        // The frame alone, not what the style draws for the focus besides: the tab bar draws it,
        // the game's frame lies over any other control.
        w->clearFocus();
        QApplication::processEvents();
        const auto frame = [&](bool shown) {
            if (!tabs)
                window->findChild<QFocusFrame *>()->setVisible(shown);
        };
        if (!tabs)
            w->setFocus(Qt::TabFocusReason);
        frame(false);
        const QImage without = under->grab(area).toImage();
        w->setFocus(Qt::TabFocusReason);
        frame(true);
        QApplication::processEvents();
        const QImage with = under->grab(area).toImage();
        int standsOut = 0;
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                standsOut += contrast(with.pixel(x, y), without.pixel(x, y)) >= 3;
        // Two pixels round the control, or round the inside of the tab, or within the window's
        // edge where the control meets it; a neighbour lying over a corner of it may take a tenth.
        const QSize around =
            tabs ? area.size() - QSize(4, 4) : (area & window->rect()).size() - QSize(6, 6);
        const int band = 4 * (around.width() + around.height()) * 9 / 10;
        QVERIFY2(standsOut >= band,
                 qPrintable(QString("%1 of %2 pixels stand out").arg(standsOut).arg(band)));
    }

    // In the editor a closed stake box does not look like an open one, on either desktop.
    void closedStakesLookClosed_data()
    {
        QTest::addColumn<bool>("darkColours");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void closedStakesLookClosed()
    {
        QFETCH(bool, darkColours);
        QApplication::setPalette(darkColours ? dark() : QApplication::style()->standardPalette());
        PartitaDiProva game;
        game.fai({"mute", "carica", "scheda"});
        QVERIFY(QTest::qWaitForWindowExposed(game.editor()));
        const auto face = [&](const char *name) {
            auto *box = game.editor()->findChild<QLineEdit *>(name);
            return box->grab().toImage().pixel(box->width() / 2, box->height() / 2);
        };
        QVERIFY(game.editor()->findChild<QLineEdit *>("txt_puntata_0")->isEnabled());
        QVERIFY(!game.editor()->findChild<QLineEdit *>("txt_puntata_4")->isEnabled());
        QVERIFY2(
            contrast(face("txt_puntata_0"), face("txt_puntata_4")) >= 1.5,
            qPrintable(QString::number(contrast(face("txt_puntata_0"), face("txt_puntata_4")))));
    }
};

QTEST_MAIN(tst_Contrasto)
#include "tst_contrasto.moc"
