#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "support/fakeavvisi.h"
#include "support/fakeriproduttore.h"

#include <QTest>

// Spoken or written: which recordings an event plays with each set, and the box that replaces
// them when sounds are off.
class tst_SuonaOMostra : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void spokenOrWritten_data();
    void spokenOrWritten();
    void questionAlwaysAsked_data();
    void questionAlwaysAsked();
    void winAnnouncements_data();
    void winAnnouncements();

private:
    FakeRiproduttore m_player;
    FakeAvvisi m_boxes;
    std::unique_ptr<Modulo> m_modulo;
};

using catalogo::Evento;
Q_DECLARE_METATYPE(catalogo::Evento)

void tst_SuonaOMostra::init()
{
    m_player = {};
    m_boxes = {};
    m_modulo = std::make_unique<Modulo>(m_player, m_boxes);
}

void tst_SuonaOMostra::spokenOrWritten_data()
{
    QTest::addColumn<Evento>("evento");
    QTest::addColumn<QString>("seguito");
    QTest::addColumn<QString>("normal");
    QTest::addColumn<QString>("joking");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::newRow("points refusal with the numbers after it")
        << Evento::PuntiInsufficienti << "4 e te ne servono 8"
        << "Lotto\\lotto_punti_insufficienti.wav"
        << "Aggiunte\\Spiritose\\punti_4.wav"
        << "Non hai abbastanza punti per fare queste giocate,ne hai 4 e te ne servono 8"
        << "Errore";
    QTest::newRow("saved, trailing blank kept") << Evento::SchedinaSalvata << ""
                                                << "Lotto\\lotto_schedina_salvata.wav"
                                                << "Aggiunte\\Spiritose\\scheda_salva.wav"
                                                << "Schedina salvata "
                                                << "Avviso";
}

void tst_SuonaOMostra::spokenOrWritten()
{
    QFETCH(Evento, evento);
    QFETCH(QString, seguito);
    QFETCH(QString, normal);
    QFETCH(QString, joking);
    QFETCH(QString, text);
    QFETCH(QString, title);
    const std::string tail = seguito.toStdString();
    SuonaOMostra(*m_modulo, evento, tail);
    QCOMPARE(m_player.take(), QStringList{normal});
    m_modulo->suoni_spiritosi = 1;
    SuonaOMostra(*m_modulo, evento, tail);
    QCOMPARE(m_player.take(), QStringList{joking});
    QVERIFY(m_boxes.boxes().isEmpty());

    m_modulo->suoni_attivi = 0;
    SuonaOMostra(*m_modulo, evento, tail);
    QVERIFY(m_player.suonati().isEmpty());
    QCOMPARE(m_boxes.take(), (QList<FakeAvvisi::Box>{{text, title, false}}));
}

void tst_SuonaOMostra::questionAlwaysAsked_data()
{
    QTest::addColumn<bool>("soundsOn");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("played");
    QTest::newRow("sounds on, Yes")
        << true << true << QStringList{"Lotto\\lotto_sovrascrivere.wav"};
    QTest::newRow("sounds off, No") << false << false << QStringList{};
}

void tst_SuonaOMostra::questionAlwaysAsked()
{
    QFETCH(bool, soundsOn);
    QFETCH(bool, answer);
    QFETCH(QStringList, played);
    m_modulo->suoni_attivi = soundsOn ? 1 : 0;
    m_boxes.rispondi(answer);
    QCOMPARE(ChiediDopoSuono(*m_modulo, Evento::FileEsistente), answer);
    QCOMPARE(m_player.take(), played);
    QCOMPARE(m_boxes.take(),
             (QList<FakeAvvisi::Box>{
                 {QString::fromUtf8("Il file è già esistente,sovrascriverlo?"), "Avviso", true}}));
}

void tst_SuonaOMostra::winAnnouncements_data()
{
    QTest::addColumn<int>("bet");
    QTest::addColumn<int>("wheel");
    QTest::addColumn<QString>("recording");
    QTest::addColumn<QString>("text");
    QTest::newRow("Ambo on Cagliari, spelt Cogliari in the box")
        << 1 << 1 << "Ruote e Vincite\\ambo_cagliari.wav"
        << "Complimenti!Ambo su Cogliari!";
    QTest::newRow("Cinquina on Venezia") << 4 << 9 << "Ruote e Vincite\\cinquina_venezia.wav"
                                         << "Complimenti!Cinquina su Venezia!";
}

void tst_SuonaOMostra::winAnnouncements()
{
    QFETCH(int, bet);
    QFETCH(int, wheel);
    QFETCH(QString, recording);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(catalogo::registrazioneVincita(bet, wheel)), recording);
    QCOMPARE(QString::fromStdString(catalogo::testoVincita(bet, wheel)), text);
}

QTEST_APPLESS_MAIN(tst_SuonaOMostra)
#include "tst_suonaomostra.moc"
