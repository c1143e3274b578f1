#include "support/partitadiprova.h"

#include <QAccessible>

// What a screen reader finds in each window: every control a player can use has a name.
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
};

QTEST_MAIN(tst_Accessibilita)
#include "tst_accessibilita.moc"
