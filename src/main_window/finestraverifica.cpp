#include "finestraverifica.h"

#include "base/lotto.h"
#include "engine/partita.h"
#include "main_window/compagno.h"
#include "widgets/ritornotastiera.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// A wheel of the companion's output ("BARI") as a sentence writes it ("Bari").
QString ruota(const QString &nome)
{
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        if (nome ==
            QLatin1String(lotto::kNomiRuote[w].data(), qsizetype(lotto::kNomiRuote[w].size())))
            return QString::fromStdString(lotto::nomeRuota(w));
    }
    return nome;
}

QString giorno(const QString &iso)
{
    return QDate::fromString(iso, Qt::ISODate).toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

FinestraVerifica::FinestraVerifica(const Partita &partita, Compagno &compagno, QWidget *parent)
    : QDialog(parent), m_partita(partita), m_compagno(compagno)
{
    setObjectName(QStringLiteral("finestra_verifica"));
    setWindowTitle(QStringLiteral("Verifica le schedine"));
    RitornoTastiera::installa(this);
    auto *colonna = new QVBoxLayout(this);
    auto *modulo = new QFormLayout;
    colonna->addLayout(modulo);
    m_quali = new QComboBox(this);
    m_quali->setObjectName(QStringLiteral("verifica_quali"));
    m_quali->addItems({QStringLiteral("Tutte le schedine dell'insieme"),
                       QStringLiteral("Le schedine da giocare")});
    modulo->addRow(QStringLiteral("&Schedine:"), m_quali);
    m_data = new QDateEdit(this);
    m_data->setObjectName(QStringLiteral("verifica_data"));
    m_data->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_data->setCalendarPopup(true);
    modulo->addRow(QStringLiteral("&Dal giorno:"), m_data);
    m_colpi = new QSpinBox(this);
    m_colpi->setObjectName(QStringLiteral("verifica_colpi"));
    m_colpi->setRange(1, 1000);
    modulo->addRow(QStringLiteral("&Estrazioni:"), m_colpi);

    m_vincite = new QTableWidget(0, 5, this);
    m_vincite->setObjectName(QStringLiteral("verifica_vincite"));
    m_vincite->setHorizontalHeaderLabels({QStringLiteral("Schedina"), QStringLiteral("Data"),
                                          QStringLiteral("Ruota"), QStringLiteral("Sorte"),
                                          QStringLiteral("Vincita")});
    m_vincite->setAccessibleName(QStringLiteral("Vincite"));
    m_vincite->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_vincite->setTabKeyNavigation(false); // Tab goes on to the buttons, the arrows go through it
    m_vincite->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_vincite->verticalHeader()->hide();
    m_vincite->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_vincite->horizontalHeader()->setStretchLastSection(true);
    colonna->addWidget(m_vincite, 1);
    m_totali = new QLabel(this);
    m_totali->setObjectName(QStringLiteral("verifica_totali"));
    m_totali->setWordWrap(true);
    colonna->addWidget(m_totali);

    auto *pulsanti = new QDialogButtonBox(this);
    m_verifica = pulsanti->addButton(QStringLiteral("&Verifica"), QDialogButtonBox::ActionRole);
    m_verifica->setObjectName(QStringLiteral("cmd_verifica"));
    pulsanti->addButton(QStringLiteral("&Chiudi"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cmd_chiudi_verifica"));
    connect(m_verifica, &QPushButton::clicked, this, &FinestraVerifica::verifica);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::hide);
    colonna->addWidget(pulsanti);
    resize(sizeHint().expandedTo(QSize(560, 360)));
}

void FinestraVerifica::mostra()
{
    show();
    raise();
    activateWindow();
    m_inCorso = true;
    esito(QStringLiteral("Cerco l'ultima estrazione dell'archivio..."));
    m_compagno.esegui({QStringLiteral("draws"), QStringLiteral("show")},
                      [this, vivo = QPointer(this)](const Compagno::Risposta &r) {
                          if (!vivo)
                              return;
                          m_inCorso = false;
                          const QJsonObject o = QJsonDocument::fromJson(r.uscitaStandard).object();
                          if (r.uscita != 0 || !o.contains(u"data"))
                              return esito(Compagno::motivo(r));
                          m_data->setDate(QDate::fromString(o[u"data"].toString(), Qt::ISODate));
                          verifica();
                      });
}

void FinestraVerifica::esito(const QString &testo)
{
    m_vincite->setRowCount(0);
    m_totali->setText(testo);
}

// The companion checks the whole set; the tickets chosen for play are picked out by the records
// the next play would take, and their stakes are what the game charged for them.
void FinestraVerifica::verifica()
{
    if (m_inCorso) // the button keeps the focus meanwhile, and one check at a time is enough
        return;
    if (!m_partita.insiemeAperto())
        return esito(QStringLiteral("Carica prima un insieme di schedine."));
    const bool soloDaGiocare = m_quali->currentIndex() == 1;
    QSet<qint64> scelte;
    Currency costo;
    if (soloDaGiocare) {
        const auto giocate = m_partita.giocate();
        if (!giocate)
            return esito(QString::fromStdString(giocate.errore().descrizione()));
        for (const std::uint64_t record : giocate.valore().record)
            scelte.insert(qint64(record));
        costo = giocate.valore().posta;
    }
    m_inCorso = true;
    esito(QStringLiteral("Verifico..."));
    m_compagno.esegui(
        {QStringLiteral("check"), QString::fromStdString(*m_partita.insieme()),
         QStringLiteral("--data"), m_data->date().toString(Qt::ISODate), QStringLiteral("--colpi"),
         QString::number(m_colpi->value())},
        [this, vivo = QPointer(this), soloDaGiocare, scelte, costo](const Compagno::Risposta &r) {
            if (!vivo)
                return;
            m_inCorso = false;
            if (r.uscita != 0)
                return esito(Compagno::motivo(r));
            const QList<QByteArray> righe = r.uscitaStandard.trimmed().split('\n');
            QList<QJsonObject> vincite;
            qint64 vinto = 0;
            for (qsizetype i = 0; i + 1 < righe.size(); ++i) {
                const QJsonObject v = QJsonDocument::fromJson(righe[i]).object();
                if (soloDaGiocare && !scelte.contains(v[u"record"].toInteger()))
                    continue;
                vincite << v;
                vinto += v[u"vincita"].toInteger();
            }
            const QJsonObject totale = QJsonDocument::fromJson(righe.last()).object();
            m_vincite->setRowCount(int(vincite.size()));
            for (int i = 0; i < vincite.size(); ++i) {
                const QJsonObject &v = vincite[i];
                QStringList sorti;
                for (const QJsonValue &a : v[u"annunci"].toArray())
                    sorti << a.toString();
                const QStringList celle{
                    v[u"titolo"].toString().trimmed(), giorno(v[u"data"].toString()),
                    ruota(v[u"ruota"].toString()), sorti.join(QStringLiteral(", ")),
                    QString::number(v[u"vincita"].toInteger())};
                for (int c = 0; c < celle.size(); ++c)
                    m_vincite->setItem(i, c, new QTableWidgetItem(celle[c]));
            }
            const qint64 estrazioni = totale[u"estrazioni"].toInteger();
            // As the companion writes it: nothing past the currency's range.
            const auto perTutte = costo.times(std::uint64_t(std::max<qint64>(estrazioni, 0)));
            const QString puntato = !soloDaGiocare
                                        ? totale[u"puntato"].toString(QStringLiteral("-"))
                                    : perTutte ? QString::fromStdString(perTutte->toString())
                                               : QStringLiteral("-");
            m_totali->setText(QStringLiteral("%1 %2 in %3 %4. Puntato: %5. Vinto: %6.")
                                  .arg(vincite.size())
                                  .arg(vincite.size() == 1 ? u"vincita" : u"vincite")
                                  .arg(estrazioni)
                                  .arg(estrazioni == 1 ? u"estrazione" : u"estrazioni")
                                  .arg(puntato)
                                  .arg(soloDaGiocare ? vinto : totale[u"vinto"].toInteger()));
        });
}
