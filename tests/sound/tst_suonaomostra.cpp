#include "engine/annuncivincite.h"
#include "shared/modulo.h"
#include "sound/interruttorisuoni.h"
#include "sound/suonaomostra.h"
#include "support/fakeavvisi.h"
#include "support/fakeriproduttore.h"

#include <QTest>

#include <functional>

// What the player hears or reads where the windows' tests do not look: the words of two boxes
// and the click of the set switch.
class tst_SuonaOMostra : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reports_data();
    void reports();
};

using Azione = std::function<void(Modulo &)>;
Q_DECLARE_METATYPE(Azione)

void tst_SuonaOMostra::reports_data()
{
    QTest::addColumn<Azione>("azione");
    QTest::addColumn<QStringList>("suonati");
    QTest::addColumn<QStringList>("box"); // text and title
    QTest::newRow("ticket saved, sounds off: trailing blank kept") << Azione([](Modulo &m) {
        m.suoni_attivi = 0;
        SuonaOMostra(m, catalogo::Evento::SchedinaSalvata);
    }) << QStringList{} << QStringList{"Schedina salvata ", "Avviso"};
    QTest::newRow("Ambo on Cagliari, sounds off: spelt Cogliari") << Azione([](Modulo &m) {
        m.suoni_attivi = 0;
        AnnunciVincite(m).AnnunciaAmbo(1);
    }) << QStringList{} << QStringList{"Complimenti!Ambo su Cogliari!", "Hai vinto!!"};
    QTest::newRow("set switched with sounds on: it clicks")
        << Azione([](Modulo &m) { InterruttoriSuoni::commutaSpirito(m); })
        << QStringList{"Lotto\\click.wav"} << QStringList{};
}

void tst_SuonaOMostra::reports()
{
    QFETCH(Azione, azione);
    QFETCH(QStringList, suonati);
    QFETCH(QStringList, box);
    FakeRiproduttore player;
    FakeAvvisi boxes;
    Modulo modulo(player, boxes);
    azione(modulo);
    QCOMPARE(player.take(), suonati);
    QCOMPARE(boxes.take(), (box.isEmpty() ? QList<FakeAvvisi::Box>{}
                                          : QList<FakeAvvisi::Box>{{box[0], box[1], false}}));
}

QTEST_APPLESS_MAIN(tst_SuonaOMostra)
#include "tst_suonaomostra.moc"
