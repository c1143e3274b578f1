#include "interruttorisuoni.h"

#include "shared/modulo.h"
#include "sound/suonaomostra.h"

std::string_view InterruttoriSuoni::commutaSuoni(Modulo &modulo)
{
    SuonaEvento(modulo, catalogo::Evento::Click);
    const bool attivi = !modulo.suoni_attivi();
    modulo.impostaSuoni(attivi, modulo.suoni_spiritosi());
    return attivi ? kDisabilita : kRiabilita;
}

std::string_view InterruttoriSuoni::commutaSpirito(Modulo &modulo)
{
    SuonaEvento(modulo, catalogo::Evento::Click);
    const bool spiritosi = !modulo.suoni_spiritosi();
    modulo.impostaSuoni(modulo.suoni_attivi(), spiritosi);
    return spiritosi ? kNormali : kSpiritosi;
}
