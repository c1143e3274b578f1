#include "comandogioca.h"

#include "base/lotto.h"
#include "main_window/compagno.h"
#include "main_window/paginagioca.h"
#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "widgets/nelturno.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>

#include <array>

namespace {

using catalogo::Evento;

constexpr const char *kTitoloEstrazioni = "Estrazioni";
constexpr int kTuttiIGiorni = 1000000; // the most the companion gives at once

// One line of the companion's days: {"data":"2025-04-29","ruote":{"BARI":[...],...}}; the
// Nazionale is no wheel of the game.
Partita::EstrazioneVera giorno(const QJsonObject &o)
{
    std::array<std::int16_t, lotto::kRuote * Estrazione::kPosizioni> numeri{};
    const QJsonObject ruote = o[u"ruote"].toObject();
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        const QJsonArray usciti = ruote[QLatin1String(lotto::kNomiRuote[w].data(),
                                                      qsizetype(lotto::kNomiRuote[w].size()))]
                                      .toArray();
        for (qsizetype p = 0; p < usciti.size() && p < qsizetype(Estrazione::kPosizioni); ++p)
            numeri[w * Estrazione::kPosizioni + std::size_t(p)] = std::int16_t(usciti[p].toInt());
    }
    Partita::EstrazioneVera vera;
    vera.data = QDate::fromString(o[u"data"].toString(), Qt::ISODate)
                    .toString(QStringLiteral("dd/MM/yyyy"))
                    .toStdString();
    vera.estrazione.imposta(numeri);
    return vera;
}

} // namespace

ComandoGioca::ComandoGioca(PaginaGioca *gioca, Partita &partita, Modulo &modulo,
                           GeneratoreCasuale &generatore, Compagno &compagno, QObject *genitore)
    : QObject(genitore), m_gioca(gioca), m_partita(partita), m_modulo(modulo),
      m_generatore(generatore), m_compagno(compagno), m_annunci(modulo)
{
    connect(gioca, &PaginaGioca::giocaPremuto, this,
            nelTurno(m_modulo, this, &ComandoGioca::cmd_gioca_Click));
    connect(gioca, &PaginaGioca::fonteScelta, this,
            nelTurno(m_modulo, this, &ComandoGioca::sceltaFonte));
}

// The play comes after its click is heard, and each change of the accounts after what is said
// before it.
void ComandoGioca::cmd_gioca_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    dopo(m_modulo, this, [this] {
        const Partita::Turno turno = m_partita.gioca(m_generatore);
        if (turno.esito == Partita::Turno::Esito::NessunaSchedina)
            return SuonaOMostra(m_modulo, Evento::NessunaSchedinaDaGiocare);
        if (turno.esito == Partita::Turno::Esito::FineDelleVere)
            return m_modulo.presentatore().mostra(
                QString::fromLatin1(kFineDelleVere)
                    .arg(QString::fromStdString(m_partita.dataEstrazione().value_or("-")))
                    .toStdString(),
                kTitoloEstrazioni);
        m_gioca->mostraEstrazione(m_partita.estrazione(), m_partita.dataEstrazione());
        if (turno.esito == Partita::Turno::Esito::Illeggibile)
            return m_modulo.presentatore().mostra(turno.errore->nonSiPuoLeggere(),
                                                  std::string(catalogo::kTitoloErrore));
        for (const Partita::Evento &evento : turno.eventi)
            presenta(evento);
    });
}

void ComandoGioca::presenta(const Partita::Evento &evento)
{
    using T = Partita::Evento::Tipo;
    const auto mostraConti = [this, conti = evento.conti](bool ancheIPunti) {
        dopo(m_modulo, this,
             [this, conti, ancheIPunti] { Q_EMIT contiCambiati(conti, ancheIPunti); });
    };
    switch (evento.tipo) {
    case T::Vincita:
        return m_annunci.annuncia(evento.giocata, evento.ruota);
    case T::Accredito:
    case T::Giocata:
        return mostraConti(evento.tipo == T::Giocata);
    case T::Finito:
        return mostraConti(true);
    case T::GameOver:
        return SuonaOMostra(m_modulo, Evento::GameOver);
    case T::Vittoria:
        SuonaOMostra(m_modulo, Evento::Vittoria);
        return dopo(m_modulo, this, [this] { Q_EMIT partitaVinta(); });
    }
}

void ComandoGioca::sceltaFonte(std::optional<QDate> dal)
{
    if (!dal) {
        m_partita.usaEstrazioniCasuali();
        return;
    }
    m_gioca->attendiFonte(true);
    m_compagno.esegui(
        {QStringLiteral("draws"), QStringLiteral("show"), dal->toString(Qt::ISODate),
         QStringLiteral("--colpi"), QString::number(kTuttiIGiorni)},
        [this, vivo = QPointer(this)](const Compagno::Risposta &r) {
            if (!vivo)
                return;
            m_gioca->attendiFonte(false);
            std::vector<Partita::EstrazioneVera> giorni;
            if (r.uscita == 0) {
                for (const QByteArray &riga : r.uscitaStandard.split('\n')) {
                    if (!riga.trimmed().isEmpty())
                        giorni.push_back(giorno(QJsonDocument::fromJson(riga).object()));
                }
            }
            if (giorni.empty()) {
                m_partita.usaEstrazioniCasuali();
                m_gioca->mostraFonte(false);
                return m_modulo.presentatore().mostra(
                    (QStringLiteral("Si gioca a caso: ") + Compagno::motivo(r)).toStdString(),
                    kTitoloEstrazioni);
            }
            m_partita.usaEstrazioniVere(std::move(giorni));
        });
}
