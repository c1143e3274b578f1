#include "comandogioca.h"

#include "main_window/paginagioca.h"
#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "widgets/nelturno.h"

namespace {

using catalogo::Evento;

} // namespace

ComandoGioca::ComandoGioca(PaginaGioca *gioca, Partita &partita, Modulo &modulo,
                           GeneratoreCasuale &generatore, QObject *parent)
    : QObject(parent), m_gioca(gioca), m_partita(partita), m_modulo(modulo),
      m_generatore(generatore), m_annunci(modulo)
{
    connect(gioca, &PaginaGioca::giocaPremuto, this,
            nelTurno(m_modulo, this, &ComandoGioca::cmd_gioca_Click));
}

void ComandoGioca::cmd_gioca_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    const Partita::Turno turno = m_partita.gioca(m_generatore);
    if (turno.esito == Partita::Turno::Esito::NessunaSchedina)
        return SuonaOMostra(m_modulo, Evento::NessunaSchedinaDaGiocare);
    m_gioca->mostraEstrazione(m_partita.estrazione());
    if (turno.esito == Partita::Turno::Esito::Illeggibile)
        return m_modulo.avvisi().mostra(turno.errore->nonSiPuoLeggere(), catalogo::kTitoloErrore);
    for (const Partita::Evento &evento : turno.eventi)
        presenta(evento);
}

void ComandoGioca::presenta(const Partita::Evento &evento)
{
    using T = Partita::Evento::Tipo;
    switch (evento.tipo) {
    case T::Vincita:
        return m_annunci.annuncia(evento.giocata, evento.ruota);
    case T::Accredito:
    case T::Giocata:
        return Q_EMIT contiCambiati(evento.conti, evento.tipo == T::Giocata);
    case T::Finito:
        return Q_EMIT contiCambiati(evento.conti, true);
    case T::GameOver:
        return SuonaOMostra(m_modulo, Evento::GameOver);
    case T::Vittoria:
        SuonaOMostra(m_modulo, Evento::Vittoria);
        return Q_EMIT partitaVinta();
    }
}
