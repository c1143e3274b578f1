#include "annuncivincite.h"

#include "base/lotto.h"
#include "messaggi/catalogo.h"
#include "shared/modulo.h"
#include "sound/radicesuoni.h"

void AnnunciVincite::annuncia(std::size_t tipoGiocata, std::size_t ruota)
{
    if (ruota >= lotto::kRuote || tipoGiocata >= lotto::kTipiGiocata)
        return;
    if (m_modulo.sentito())
        m_modulo.SuonaFile(
            RadiceSuoni::percorsoCompleto(catalogo::registrazioneVincita(tipoGiocata, ruota)));
    else
        m_modulo.presentatore().mostra(catalogo::testoVincita(tipoGiocata, ruota),
                                       std::string(catalogo::kTitoloVincita));
}
