#include "support/partitadiprova.h"

#include <QAccessible>

namespace {

// Walks the tree below a control, hidden pages too: counts the controls a player uses (a list's
// or a page's own scroll bars are part of it) and notes those without a name.
int walk(QAccessibleInterface *node, QStringList &unnamed)
{
    using A = QAccessible;
    const QObject *object = node->object();
    int count = 0;
    if (QList{A::PushButton, A::CheckBox, A::EditableText, A::List, A::PageTab, A::PageTabList,
              A::ScrollBar, A::MenuItem}
            .contains(node->role()) &&
        !(object && object->parent() &&
          object->parent()->objectName().startsWith("qt_scrollarea"))) {
        ++count;
        if (node->text(A::Name).trimmed().isEmpty())
            unnamed << (object ? object->objectName() : "?");
    }
    for (int i = 0; i < node->childCount(); ++i)
        count += walk(node->child(i), unnamed);
    return count;
}

} // namespace

// What a screen reader finds in each window: every control a player can use has a name.
class tst_Accessibilita : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyControlIsNamed_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("atLeast");
        QTest::newRow("main window") << 0 << 16;
        QTest::newRow("editor") << 1 << 36;
        QTest::newRow("viewer") << 2 << 3;
    }
    void everyControlIsNamed()
    {
        QFETCH(int, window);
        QFETCH(int, atLeast);
        PartitaDiProva game;
        game.fai({"carica", "scheda", "show:"});
        QWidget *target =
            QList<QWidget *>{&game.window, game.window.editor(), game.window.visore()}[window];
        QVERIFY(QTest::qWaitForWindowExposed(target));
        QStringList unnamed;
        const int controls = walk(QAccessible::queryAccessibleInterface(target), unnamed);
        QVERIFY2(unnamed.isEmpty() && controls >= atLeast, qPrintable(unnamed.join(", ")));
    }
};

QTEST_MAIN(tst_Accessibilita)
#include "tst_accessibilita.moc"
