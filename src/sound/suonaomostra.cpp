#include "suonaomostra.h"

#include "shared/modulo.h"
#include "sound/radicesuoni.h"
#include "storage/errorefile.h"

#include <string>

void SuonaOMostra(Modulo &modulo, catalogo::Evento evento, std::string_view seguito)
{
    if (modulo.suoni_attivi()) {
        SuonaEvento(modulo, evento);
        return;
    }
    const catalogo::Voce &voce = catalogo::voce(evento);
    modulo.avvisi().mostra(std::string(voce.testo) + std::string(seguito), voce.titolo);
}

void SuonaEvento(Modulo &modulo, catalogo::Evento evento)
{
    for (std::string_view percorso : catalogo::registrazioni(evento, modulo.suoni_spiritosi()))
        modulo.SuonaFile(RadiceSuoni::percorsoCompleto(percorso));
}

bool ChiediDopoSuono(Modulo &modulo, catalogo::Evento evento)
{
    SuonaEvento(modulo, evento);
    const catalogo::Voce &voce = catalogo::voce(evento);
    return modulo.avvisi().chiedi(voce.testo, voce.titolo);
}

void MostraErroreFile(Modulo &modulo, const ErroreFile &errore)
{
    modulo.avvisi().mostra(errore.descrizione(), catalogo::kTitoloErrore);
}
