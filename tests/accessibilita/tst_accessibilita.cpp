#include "editor/form_schede.h"
#include "main_window/paginalotto.h"
#include "support/partitadiprova.h"
#include "support/setfiles.h"
#include "viewer/form_guarda.h"

#include <QAccessible>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// What a screen reader finds in each window: every control a player can use has a name.
class tst_Accessibilita : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyInteractiveControlIsNamed_data();
    void everyInteractiveControlIsNamed();
};

namespace {

bool interactive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::PageTab:
    case QAccessible::PageTabList:
    case QAccessible::ScrollBar:
    case QAccessible::MenuItem:
    case QAccessible::ComboBox:
        return true;
    default:
        return false;
    }
}

// A list's or a page's own scroll bars are part of that control, which carries the name.
bool partOfAScrollArea(const QAccessibleInterface *node)
{
    const QObject *object = node->object();
    return node->role() == QAccessible::ScrollBar && object && object->parent() &&
           object->parent()->objectName().startsWith(QStringLiteral("qt_scrollarea"));
}

// Walks the whole tree below an interface; returns how many interactive controls it met.
int walk(QAccessibleInterface *node, QStringList &unnamed, int depth = 0)
{
    int count = 0;
    if (interactive(node->role()) && !partOfAScrollArea(node)) { // hidden pages too
        ++count;
        if (node->text(QAccessible::Name).trimmed().isEmpty()) {
            const QObject *object = node->object();
            unnamed << QStringLiteral("%1 (%2)")
                           .arg(object ? object->objectName() : QStringLiteral("?"))
                           .arg(int(node->role()));
        }
    }
    for (int i = 0; i < node->childCount() && depth < 40; ++i) {
        if (QAccessibleInterface *child = node->child(i))
            count += walk(child, unnamed, depth + 1);
    }
    return count;
}

} // namespace

void tst_Accessibilita::everyInteractiveControlIsNamed_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("atLeast");
    QTest::newRow("main window") << "Form_gioco" << 16;
    QTest::newRow("editor") << "Form_schede" << 36;
    QTest::newRow("viewer") << "form_guarda" << 3;
}

void tst_Accessibilita::everyInteractiveControlIsNamed()
{
    QFETCH(QString, window);
    QFETCH(int, atLeast);
    QTemporaryDir dir;
    PartitaDiProva game;
    writeBytes(dir.filePath("set.slott"), provaRecord());
    game.dialog.scegli(dir.filePath("set.slott"));
    game.window.paginaLotto()->cmd_carica->click();
    game.window.paginaLotto()->cmd_scheda->click();
    game.window.visore()->show();
    QWidget *target = window == "Form_gioco"    ? static_cast<QWidget *>(&game.window)
                      : window == "Form_schede" ? static_cast<QWidget *>(game.window.editor())
                                                : static_cast<QWidget *>(game.window.visore());
    QVERIFY(QTest::qWaitForWindowExposed(target));
    QStringList unnamed;
    const int controls = walk(QAccessible::queryAccessibleInterface(target), unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    QVERIFY2(controls >= atLeast, qPrintable(QString::number(controls)));
}

QTEST_MAIN(tst_Accessibilita)
#include "tst_accessibilita.moc"
