#include "editor/controllosalvataggio.h"
#include "storage/insiemeschede.h"
#include "support/setfiles.h"

#include <QTemporaryDir>
#include <QTest>

// The checks of "Salva schedina", in the editor's order, and the record built from the boxes.
class tst_ControlloSalvataggio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void checksInOrder_data();
    void checksInOrder();
    void extraChecksRunAfterEachPassedStep();
    void unreadableSetStopsTheSave();
    void recordFromBoxes_data();
    void recordFromBoxes();
    void stakeBeyondCurrencyIsRefused();

private:
    QTemporaryDir m_dir;
    std::string m_setPath;
};

namespace {

using Passo = ControlloSalvataggio::Passo;
using catalogo::Evento;
constexpr int kAccepted = -1;

// A ticket the save accepts: 12 and 34 on BARI, Ambo at 5, box 2 open and empty.
ModuloScheda validTicket()
{
    ModuloScheda m;
    m.titolo = "Nuova";
    m.numeri[0] = "12";
    m.numeri[1] = "34";
    m.numeriAttivi = {true, true, true};
    m.ruote[0] = true;
    m.giocate[1] = true;
    m.puntate[1] = "5";
    return m;
}

ModuloScheda withNumbers(const QStringList &numbers)
{
    ModuloScheda m = validTicket();
    m.numeri = {};
    m.numeriAttivi = {};
    for (int i = 0; i < numbers.size(); ++i) {
        m.numeri[i] = numbers[i].toStdString();
        m.numeriAttivi[i] = true;
    }
    m.numeriAttivi[numbers.size()] = true;
    return m;
}

} // namespace

Q_DECLARE_METATYPE(ModuloScheda)

void tst_ControlloSalvataggio::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_setPath = toStd(m_dir.filePath(QStringLiteral("set.slott")));
    writeBytes(QString::fromStdString(m_setPath), provaRecord() + recordWithTitle("Altra"));
}

void tst_ControlloSalvataggio::checksInOrder_data()
{
    QTest::addColumn<ModuloScheda>("modulo");
    QTest::addColumn<int>("refusal");
    QTest::addColumn<int>("box");

    auto row = [](const char *name, ModuloScheda m, int refusal, int box = -1) {
        QTest::newRow(name) << m << refusal << box;
    };
    auto changed = [](auto change) {
        ModuloScheda m = validTicket();
        change(m);
        return m;
    };
    row("valid ticket", validTicket(), kAccepted);
    row("no title", changed([](auto &m) { m.titolo.clear(); }), int(Evento::SalvaSenzaTitolo));
    row("title of blanks is a title", changed([](auto &m) { m.titolo = "   "; }), kAccepted);
    row("title already in the set", changed([](auto &m) { m.titolo = "Prova"; }),
        int(Evento::SalvaTitoloEsistente));
    row("same title with blanks", changed([](auto &m) { m.titolo = "  Prova "; }),
        int(Evento::SalvaTitoloEsistente));
    row("same title in another case is new", changed([](auto &m) { m.titolo = "PROVA"; }),
        kAccepted);
    row("modified ticket saved under its old title", changed([](auto &m) {
            m.titolo = "Prova";
            m.modifica = true;
            m.titoloOriginale = "Prova  ";
        }),
        kAccepted);
    row("modified ticket renamed to another's title", changed([](auto &m) {
            m.titolo = "Altra";
            m.modifica = true;
            m.titoloOriginale = "Prova";
        }),
        int(Evento::SalvaTitoloEsistente));
    row("no title and no number: title first", changed([](auto &m) {
            m.titolo.clear();
            m.numeri[0].clear();
        }),
        int(Evento::SalvaSenzaTitolo));
    row("no number", withNumbers({}), int(Evento::SalvaSenzaNumeri));
    row("zero in the last filled box", withNumbers({"12", "0"}),
        int(Evento::SalvaNumeroFuoriIntervallo), 1);
    row("double zero in the last filled box", withNumbers({"00"}),
        int(Evento::SalvaNumeroFuoriIntervallo), 0);
    row("zero in an earlier box is not caught", withNumbers({"0", "12"}), kAccepted);
    row("no wheel", changed([](auto &m) { m.ruote = {}; }), int(Evento::SalvaSenzaRuote));
    row("TUTTE alone is a wheel", changed([](auto &m) {
            m.ruote = {};
            m.ruote[lotto::kTutte] = true;
        }),
        kAccepted);
    row("no bet type", changed([](auto &m) { m.giocate = {}; }), int(Evento::SalvaSenzaGiocate));
    row("bet type without stake", changed([](auto &m) { m.puntate[1].clear(); }),
        int(Evento::SalvaSenzaPuntata));
    row("no wheel and no stake: wheel first", changed([](auto &m) {
            m.ruote = {};
            m.puntate[1].clear();
        }),
        int(Evento::SalvaSenzaRuote));
    row("stake left on an unticked bet type", changed([](auto &m) { m.puntate[3] = "9"; }),
        kAccepted);
}

void tst_ControlloSalvataggio::checksInOrder()
{
    QFETCH(ModuloScheda, modulo);
    QFETCH(int, refusal);
    QFETCH(int, box);
    const InsiemeSchede set(m_setPath);
    const auto result = ControlloSalvataggio::controlla(modulo, [&](std::string_view t) {
        auto found = set.trovaPerTitolo(t);
        return found ? Esito<bool>(found.valore().has_value()) : Esito<bool>(found.errore());
    });
    QVERIFY(!result.errore);
    QCOMPARE(result.rifiuto ? int(*result.rifiuto->evento) : kAccepted, refusal);
    if (result.rifiuto) {
        QCOMPARE(result.rifiuto->testo, catalogo::voce(*result.rifiuto->evento).testo);
        QCOMPARE(result.rifiuto->casella, box);
    }
}

void tst_ControlloSalvataggio::extraChecksRunAfterEachPassedStep()
{
    ModuloScheda m = validTicket();
    m.ruote = {};
    QList<Passo> seen;
    const auto result = ControlloSalvataggio::controlla(
        m, [](std::string_view) { return Esito<bool>(false); },
        [&](Passo passo) -> std::optional<ControlloSalvataggio::Rifiuto> {
            seen << passo;
            return std::nullopt;
        });
    QCOMPARE(result.rifiuto->evento, std::optional(Evento::SalvaSenzaRuote));
    QCOMPARE(seen,
             (QList<Passo>{Passo::Titolo, Passo::TitoloUnico, Passo::Numeri, Passo::NumeroZero}));

    // An extra refusal ends the checks at its step, before the editor's later ones.
    const auto stopped = ControlloSalvataggio::controlla(
        m, [](std::string_view) { return Esito<bool>(false); },
        [&](Passo passo) -> std::optional<ControlloSalvataggio::Rifiuto> {
            if (passo == Passo::Numeri)
                return ControlloSalvataggio::Rifiuto{std::nullopt, "troppi numeri", -1};
            return std::nullopt;
        });
    QCOMPARE(stopped.rifiuto->testo, std::string("troppi numeri"));
}

void tst_ControlloSalvataggio::unreadableSetStopsTheSave()
{
    const InsiemeSchede folder(toStd(m_dir.path()));
    const auto result = ControlloSalvataggio::controlla(validTicket(), [&](std::string_view t) {
        auto found = folder.trovaPerTitolo(t);
        return found ? Esito<bool>(found.valore().has_value()) : Esito<bool>(found.errore());
    });
    QVERIFY(!result.ok());
    QVERIFY(!result.rifiuto);
    QCOMPARE(result.errore->codice(), EISDIR);
}

void tst_ControlloSalvataggio::recordFromBoxes_data()
{
    QTest::addColumn<ModuloScheda>("modulo");
    QTest::addColumn<QList<int>>("ruote");
    QTest::addColumn<QList<int>>("numeri");
    QTest::addColumn<QByteArray>("titolo");

    ModuloScheda tutte = validTicket();
    tutte.ruote = {};
    tutte.ruote[lotto::kTutte] = true;
    ModuloScheda ten = validTicket();
    ten.ruote.fill(true);
    ten.ruote[lotto::kTutte] = false;
    ModuloScheda disabledText = validTicket();
    disabledText.numeri[5] = "45";
    ModuloScheda longTitle = validTicket();
    longTitle.titolo = "  Una schedina dal titolo lungo";

    const QList<int> twelveThirtyFour = {12, 34, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("TUTTE stored alone") << tutte << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}
                                        << twelveThirtyFour << QByteArray("Nuova               ");
    QTest::newRow("ten wheels ticked one by one")
        << ten << QList<int>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0} << twelveThirtyFour
        << QByteArray("Nuova               ");
    QTest::newRow("text in a disabled box is not stored")
        << disabledText << QList<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0} << twelveThirtyFour
        << QByteArray("Nuova               ");
    QTest::newRow("long title cut, leading blanks kept")
        << longTitle << QList<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0} << twelveThirtyFour
        << QByteArray("  Una schedina dal t");
}

void tst_ControlloSalvataggio::recordFromBoxes()
{
    QFETCH(ModuloScheda, modulo);
    QFETCH(QList<int>, ruote);
    QFETCH(QList<int>, numeri);
    QFETCH(QByteArray, titolo);
    const auto built = ControlloSalvataggio::costruisci(modulo);
    const Schedina &s = std::get<Schedina>(built);
    QCOMPARE(QList<int>(s.ruote.begin(), s.ruote.end()), ruote);
    QCOMPARE(QList<int>(s.numeri.begin(), s.numeri.end()), numeri);
    QCOMPARE(QByteArray(s.titolo.data(), 20), titolo);
    QCOMPARE(QList<int>(s.giocate.begin(), s.giocate.end()), (QList<int>{0, 1, 0, 0, 0, 0}));
    QCOMPARE(s.puntate[1], *Currency::fromWhole(5));
    QCOMPARE(s.puntate[3], Currency());
}

void tst_ControlloSalvataggio::stakeBeyondCurrencyIsRefused()
{
    ModuloScheda m = validTicket();
    m.giocate[0] = true;
    m.puntate[0] = "922337203685477";
    QVERIFY(std::holds_alternative<Schedina>(ControlloSalvataggio::costruisci(m)));
    m.puntate[1] = "922337203685478";
    const auto refused = ControlloSalvataggio::costruisci(m);
    QVERIFY(std::holds_alternative<ControlloSalvataggio::Rifiuto>(refused));
    QCOMPARE(std::get<ControlloSalvataggio::Rifiuto>(refused).testo,
             std::string("La puntata su Ambo è troppo alta: puoi puntare al massimo "
                         "922337203685477"));
}

QTEST_APPLESS_MAIN(tst_ControlloSalvataggio)
#include "tst_controllosalvataggio.moc"
