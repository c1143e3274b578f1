#include "base/currency.h"
#include "base/numberformat.h"

#include <QTest>

#include <limits>

// Points and stakes as the player and the companion's scripts read them.
class tst_Currency : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shown_data();
    void shown();
};

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

// Currency (qint64, raw) as the companion writes it; a double as the windows show it.
void tst_Currency::shown_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    auto row = [](const char *name, const QVariant &value, const char *text) {
        QTest::newRow(name) << value << text;
    };
    row("smallest unit", qint64(1), "0.0001");
    row("trailing zeros dropped", qint64(12300), "1.23");
    row("negative", qint64(-32500), "-3.25");
    row("most negative", kMin, "-922337203685477.5808");
    row("largest", kMax, "922337203685477.5807");
    row("binary noise hidden", 0.1 + 0.2, "0,3");
    row("negative fraction", -8.25, "-8,25");
    row("negative zero", -0.0, "0");
    row("ten million and one", 10000001.0, "10000001");
    row("huge", 1e20, "1E+20");
}

void tst_Currency::shown()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    const std::string shown = value.typeId() == QMetaType::LongLong
                                  ? Currency::fromRaw(value.toLongLong()).toString()
                                  : formatGeneral(value.toDouble(), ',');
    QCOMPARE(QString::fromStdString(shown), text);
}

QTEST_APPLESS_MAIN(tst_Currency)
#include "tst_currency.moc"
