#include "engine/partita.h"
#include "support/generatorescriptato.h"
#include "support/setfiles.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The rules of a game as the player meets them, without a window: each row is what the player
// does and what the game then holds and tells.
class tst_Partita : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QMap<QString, QByteArray> m_schede;

    QString percorso() const { return m_dir.filePath("set.slott"); }
    void scrivi(const QStringList &nomi)
    {
        QByteArray set;
        for (const QString &nome : nomi)
            set += m_schede.value(nome);
        writeBytes(percorso(), set);
    }
    static QString voci(const ElencoSchede &elenco)
    {
        QStringList titoli;
        for (std::size_t i = 0; i < elenco.conta(); ++i)
            titoli << QString::fromLatin1(elenco.voce(i)).trimmed();
        return titoli.join(',');
    }
    static QString testoNumero(Currency c) { return QString::number(c.toDouble(), 'g', 15); }
    // What a move or a play told: refusals by name, a play's events in order.
    static QString detto(const Partita::Mossa &m)
    {
        static const char *const kEsiti[] = {
            "", "", "pochi", "costo troppo", "punti troppi", "illeggibile", "restituite"};
        const QString esito = QString::fromLatin1(kEsiti[int(m.esito)]);
        return esito.isEmpty() ? QString() : esito + ' ' + testoNumero(m.somma);
    }
    static QString detto(const Partita::Turno &t)
    {
        using T = Partita::Evento::Tipo;
        QStringList eventi;
        for (const Partita::Evento &e : t.eventi)
            eventi << (e.tipo == T::Vincita     ? QString("%1@%2").arg(e.giocata).arg(e.ruota)
                       : e.tipo == T::Accredito ? "=" + testoNumero(e.conti.vincita)
                       : e.tipo == T::GameOver  ? "game over"
                       : e.tipo == T::Vittoria  ? "vittoria"
                                                : QString());
        eventi.removeAll({});
        using E = Partita::Turno::Esito;
        if (t.esito != E::Giocato)
            eventi << (t.esito == E::Illeggibile     ? "illeggibile"
                       : t.esito == E::FineDelleVere ? "finite"
                                                     : "nessuna");
        return eventi.join(' ');
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_schede = {{"A", ticketRecord("A", {1, 2}, {0, 3, 7}, {{0, 20000}, {1, 30000}})}, // 5
                    {"B", ticketRecord("B", {3}, {0}, {{0, 30000}})},                      // 3
                    {"C", ticketRecord("C", {1, 2}, {0}, {{1, 20000}})},                   // 2
                    {"A7", ticketRecord("A", {5, 6}, {1}, {{0, 40000}, {1, 30000}})},      // 7
                    {"Dodici", ticketRecord("Dodici", {45}, {0, 1}, {{0, 23036}})},
                    {"7", ticketRecord("7", {7}, {0}, {{0, 10000}})}, // wins 11 on Bari
                    {"8", ticketRecord("8", {8}, {0}, {{0, 10000}})}};
    }

    void turni_data()
    {
        QTest::addColumn<QStringList>("set");
        QTest::addColumn<QString>("azioni");
        QTest::addColumn<QString>("atteso");
        const auto riga = [](const char *nome, const QString &set, const char *azioni,
                             const char *atteso) {
            QTest::newRow(nome) << set.split(' ') << QString(azioni) << QString(atteso);
        };
        riga("> charges, in list order", "A B C", "punti 100, > 2 0", "93 -7 7 0 | B | A,C");
        riga("a cost equal to the points", "A B C", "punti 8, > 0 1", "0 -8 8 0 | C | A,B");
        riga("> beyond the points: nothing moves", "A B C", "punti 4, > 0 1",
             "pochi 8 / 4 0 0 0 | A,B,C | ");
        riga(">> charges only what is left", "A B C", "> 1, >>", "9990 -10 7 0 |  | B,A,C");
        riga("<< gives back the costs as they are now", "A B C", "> 1, >>, scrivi A7 B C, <<",
             "10002 2 12 0 | B,A,C | ");
        riga("the set a folder: < gives back what it was charged", "A B C", "> 0 1, cartella, < 1",
             "restituite 3 / 9995 -5 3 0 | C,B | A");
        riga("the set a folder: > refused", "A B C", "cartella, > 0",
             "illeggibile 0 / "
             "10000 0 0 0 | A,B,C | ");
        riga("wins in order, the highest bet type of each wheel", "A", ">>, gioca 0:1,2 3:1 7:1",
             "0@0 1@0 =250 0@3 =257 0@7 =264 / 10259 259 0 264 | A | ");
        riga("each wheel its integer part: 12.9 twice is 24", "Dodici", ">>, gioca 0:45 1:45",
             "0@0 =12 0@1 =24 / 10021.6964 21.6964 0 24 | Dodici | ");
        riga("a ticket gone from the file", "7 8", ">>, scrivi 8, gioca 0:7,8",
             "0@0 =11 / 10009 9 0 11 | 7,8 | ");
        riga("the set a folder: nothing credited, the stakes kept", "7", "> 0, cartella, gioca 0:7",
             "illeggibile / 9999 -1 1 0 |  | 7");
        riga("game over at exactly 0, the last play's winnings gone", "7",
             "> 0, gioca 0:7, punti 1, > 0, gioca 0:80", "game over / 0 9 0 0 | 7 | ");
        riga("ten million exactly: nothing", "7", "punti 9999990, > 0, gioca 0:7",
             "0@0 =11 / 10000000 10 0 11 | 7 | ");
        riga("above ten million: won", "7", "punti 9999991, > 0, gioca 0:7",
             "0@0 =11 vittoria / 10000001 10 0 11 | 7 | ");
        // Real days: their numbers, whatever the generator would draw, one day a play.
        // A wheel not drawn that day (no number) wins nothing, as a ticket's empty boxes hold 0.
        riga("a real day's numbers, its day beside them", "7 A",
             "vere 29/04/2025=0:7,1,2,3,4 02/05/2025=0:80,81,82,83,84, >>, gioca 0:80 3:1,2",
             "0@0 =11 0@0 1@0 =261 29/04/2025 / 10255 255 0 261 | 7,A | ");
        riga("past the last real day: no play, nothing spent", "7",
             "vere 29/04/2025=1:7,8,9,10,11, > 0, gioca, > 0, gioca 0:7",
             "finite 29/04/2025 / 9998 -2 1 0 |  | 7");
        riga("a new game draws at random again", "7",
             "vere 29/04/2025=1:1,2,3,4,5, nuova, > 0, gioca 0:7",
             "0@0 =11 / 10010 10 0 11 | 7 | ");
        // Entries found in a circle of the set, each charged its title's first record.
        riga("a title twice plays both of its records", "A B A7", "> 2 0, gioca 0:1,2,3 1:5,6",
             "0@0 1@0 =250 0@1 1@1 =1000 / 10990 990 0 1000 | B,A,A | ");
    }
    void turni()
    {
        QFETCH(QStringList, set);
        QFETCH(QString, azioni);
        QFETCH(QString, atteso);
        scrivi(set);
        Partita partita;
        QVERIFY(!partita.apri(percorso().toStdString()));
        GeneratoreScriptato generatore;
        QString visto;
        for (const QString &azione : azioni.split(", ")) {
            QStringList parole = azione.split(' ');
            const QString verbo = parole.takeFirst();
            std::vector<int> righe;
            std::ranges::transform(parole, std::back_inserter(righe),
                                   [](const QString &p) { return p.toInt(); });
            if (verbo == "punti") {
                Partita::Conti c = partita.conti();
                c.punti = Currency::fromRaw(parole[0].toLongLong() * Currency::kScale);
                partita.ripristina(c);
            } else if (verbo.contains(QRegularExpression("^(<|>)+$"))) {
                visto = detto(verbo == ">"    ? partita.scegli(righe)
                              : verbo == "<"  ? partita.restituisci(righe)
                              : verbo == ">>" ? partita.scegliTutte()
                                              : partita.restituisciTutte());
            } else if (verbo == "vere") {
                std::vector<Partita::EstrazioneVera> giorni;
                for (const QString &giorno : parole) {
                    std::array<std::int16_t, 50> numeri{};
                    const QString ruota = giorno.section('=', 1);
                    const QStringList usciti = ruota.section(':', 1).split(',');
                    for (int p = 0; p < usciti.size(); ++p)
                        numeri[std::size_t(ruota.section(':', 0, 0).toInt() * 5 + p)] =
                            std::int16_t(usciti[p].toInt());
                    giorni.push_back({giorno.section('=', 0, 0).toStdString(), {}});
                    giorni.back().estrazione.imposta(numeri);
                }
                partita.usaEstrazioniVere(std::move(giorni));
            } else if (verbo == "nuova") {
                partita.nuova();
                QVERIFY(!partita.apri(percorso().toStdString()));
            } else if (verbo == "scrivi") {
                scrivi(parole);
            } else if (verbo == "cartella") {
                QFile::remove(percorso());
                QVERIFY(QDir(m_dir.path()).mkdir("set.slott"));
            } else {
                QMap<int, QList<int>> estratti;
                for (const QString &ruota : parole)
                    for (const QString &n : ruota.section(':', 1).split(','))
                        estratti[ruota.section(':', 0, 0).toInt()] << n.toInt();
                generatore.ruote(estratti);
                visto = detto(partita.gioca(generatore));
                visto =
                    (visto + ' ' + QString::fromStdString(partita.dataEstrazione().value_or("")))
                        .trimmed();
            }
        }
        const Partita::Conti &c = partita.conti();
        const QString stato = QStringList{testoNumero(c.punti),
                                          testoNumero(c.situazione),
                                          testoNumero(c.posta),
                                          testoNumero(c.vincita),
                                          "|",
                                          voci(partita.elenco(Partita::Lista::Esistenti)),
                                          "|",
                                          voci(partita.elenco(Partita::Lista::DaGioca))}
                                  .join(' ');
        QCOMPARE(visto.isEmpty() ? stato : visto + " / " + stato, atteso);
        QDir(percorso()).removeRecursively();
        QFile::remove(percorso());
    }
};

QTEST_GUILESS_MAIN(tst_Partita)
#include "tst_partita.moc"
