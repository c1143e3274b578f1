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
    // Every ticket played is read before anything is credited, so a set that cannot be read
    // costs the player nothing: the tickets stay chosen with their stakes, to be played or
    // taken back.
    const auto schede = schedeGiocate();
    if (!schede)
        return m_modulo.avvisi().mostra(schede.errore().nonSiPuoLeggere(), catalogo::kTitoloErrore);
    m_modulo.vincita = 0;
    TurnoDiGioco::gioca(m_modulo, schede.valore(), m_estratti, m_annunci, *this);
    restituisciSchedine();
    fineGioco();
    Q_EMIT statoCambiato();
}

// The play list's entries found in a circle of the set, and their records read from the file in
// one opening. A record that no longer has the title the set had when it was last read was
// written meanwhile: the set is read again, once, and the entries looked for anew.
Esito<std::vector<Schedina>> ComandoGioca::schedeGiocate()
{
    for (int tentativo = 0;; ++tentativo) {
        const auto insieme = m_insieme.leggi(m_modulo.file_insieme);
        if (!insieme)
            return insieme.errore();
        const IndiceInsieme &indice = *insieme.valore();
        IndiceInsieme::Giro giro(indice, m_dagioca->grezze(), m_dagioca->record());
        std::vector<std::uint64_t> numeri;
        while (const auto trovato = giro.prossimo())
            numeri.push_back(*trovato);
        auto schede = InsiemeSchede(m_modulo.file_insieme).leggiRecord(numeri);
        if (!schede || tentativo > 0)
            return schede;
        bool uguali = true;
        for (std::size_t i = 0; i < numeri.size() && uguali; ++i)
            uguali = schede.valore()[i].titoloGrezzo() ==
                     std::string_view(indice.titoli())
                         .substr((numeri[i] - 1) * IndiceInsieme::kVoce, IndiceInsieme::kVoce);
        if (uguali)
            return schede;
    }
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
    ModelloSchede::Voci played = m_dagioca->prendiTutte();
    played.addebiti.clear(); // the list of existing tickets holds no charge
    m_esistenti->aggiungi(std::move(played));
    m_modulo.posta = Currency();
    Q_EMIT statoCambiato();
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
