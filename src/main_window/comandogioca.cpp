#include "comandogioca.h"

#include "base/codepage1252.h"
#include "main_window/modelloschede.h"
#include "main_window/paginagioca.h"
#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "storage/cacheinsieme.h"
#include "storage/indiceinsieme.h"
#include "storage/insiemeschede.h"
#include "widgets/nelturno.h"

namespace {

using catalogo::Evento;

constexpr std::int64_t kTraguardo = 10000000;

} // namespace

ComandoGioca::ComandoGioca(PaginaGioca *gioca, ModelloSchede *esistenti, ModelloSchede *dagioca,
                           Modulo &modulo, GeneratoreCasuale &generatore, CacheInsieme &insieme,
                           QObject *parent)
    : QObject(parent), m_gioca(gioca), m_esistenti(esistenti), m_dagioca(dagioca), m_modulo(modulo),
      m_generatore(generatore), m_insieme(insieme), m_annunci(modulo)
{
    connect(gioca, &PaginaGioca::giocaPremuto, this,
            nelTurno(m_modulo, this, &ComandoGioca::cmd_gioca_Click));
}

void ComandoGioca::cmd_gioca_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    if (m_dagioca->conta() == 0) {
        SuonaOMostra(m_modulo, Evento::NessunaSchedinaDaGiocare);
        return;
    }
    m_estratti.estrai(m_generatore);
    m_gioca->mostraEstrazione(m_estratti);
    // The whole set is read before anything is credited, so a set that cannot be read costs
    // the player nothing: the tickets stay chosen with their stakes, to be played or taken back.
    const auto insieme = m_insieme.leggi(m_modulo.file_insieme);
    if (!insieme)
        return m_modulo.avvisi().mostra(insieme.errore().nonSiPuoLeggere(),
                                        catalogo::kTitoloErrore);
    m_modulo.vincita = 0;
    TurnoDiGioco::gioca(m_modulo, *insieme.valore(), m_dagioca->grezze(), m_estratti, m_annunci,
                        *this);
    restituisciSchedine();
    fineGioco();
    Q_EMIT statoCambiato();
}

void ComandoGioca::vincitaAccreditata(double totale)
{
    m_modulo.vincita = totale;
    Q_EMIT vincitaCambiata();
}

void ComandoGioca::schedinaLetta(double totale)
{
    m_modulo.vincita = totale;
    Q_EMIT statoCambiato();
}

void ComandoGioca::restituisciSchedine()
{
    ModelloSchede::Voci played = m_dagioca->tutte();
    played.addebiti.clear(); // the list of existing tickets holds no charge
    m_esistenti->aggiungi(std::move(played));
    m_modulo.posta = Currency();
    Q_EMIT statoCambiato();
    m_dagioca->svuota();
}

void ComandoGioca::fineGioco()
{
    if (m_modulo.punti == Currency()) {
        SuonaOMostra(m_modulo, Evento::GameOver);
    } else if (m_modulo.punti > Currency::fromRaw(kTraguardo * Currency::kScale)) {
        SuonaOMostra(m_modulo, Evento::Vittoria);
        Q_EMIT partitaVinta();
    }
}
