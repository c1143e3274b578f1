#include "comandogioca.h"

#include "main_window/paginagioca.h"
#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "widgets/nelturno.h"

namespace {

using catalogo::Evento;

} // namespace

ComandoGioca::ComandoGioca(PaginaGioca *gioca, Partita &partita, Modulo &modulo,
                           GeneratoreCasuale &generatore, QObject *genitore)
    : QObject(genitore), m_gioca(gioca), m_partita(partita), m_modulo(modulo),
      m_generatore(generatore), m_annunci(modulo)
{
    connect(gioca, &PaginaGioca::giocaPremuto, this,
            nelTurno(m_modulo, this, &ComandoGioca::cmd_gioca_Click));
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
        m_gioca->mostraEstrazione(m_partita.estrazione());
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
