#include "suonaomostra.h"

#include "shared/modulo.h"
#include "sound/radicesuoni.h"
#include "storage/errorefile.h"

#include <string>

void SuonaOMostra(Modulo &modulo, catalogo::Evento evento, std::string_view seguito)
{
    if (modulo.sentito()) {
        SuonaEvento(modulo, evento);
        return;
    }
    const catalogo::Voce &voce = catalogo::voce(evento);
    modulo.presentatore().mostra(std::string(voce.testo) + std::string(seguito),
                                 std::string(voce.titolo));
}

void SuonaEvento(Modulo &modulo, catalogo::Evento evento)
{
    for (std::string_view percorso : catalogo::registrazioni(evento, modulo.suoni_spiritosi()))
        modulo.SuonaFile(RadiceSuoni::percorsoCompleto(percorso));
}

void ChiediDopoSuono(Modulo &modulo, catalogo::Evento evento, std::function<void(bool)> risposta)
{
    SuonaEvento(modulo, evento);
    const catalogo::Voce &voce = catalogo::voce(evento);
    modulo.presentatore().chiedi(std::string(voce.testo), std::string(voce.titolo),
                                 std::move(risposta));
}

void MostraErroreFile(Modulo &modulo, const ErroreFile &errore)
{
    modulo.presentatore().mostra(errore.descrizione(), std::string(catalogo::kTitoloErrore));
}
