#include "interruttorisuoni.h"

#include "shared/modulo.h"
#include "sound/suonaomostra.h"

std::string_view InterruttoriSuoni::commutaSuoni(Modulo &modulo)
{
    SuonaEvento(modulo, catalogo::Evento::Click);
    if (modulo.suoni_attivi == 0) {
        modulo.suoni_attivi = 1;
        return kDisabilita;
    }
    modulo.suoni_attivi = 0;
    return kRiabilita;
}

std::string_view InterruttoriSuoni::commutaSpirito(Modulo &modulo)
{
    SuonaEvento(modulo, catalogo::Evento::Click);
    if (modulo.suoni_spiritosi != 0) {
        modulo.suoni_spiritosi = 0;
        return kSpiritosi;
    }
    modulo.suoni_spiritosi = 1;
    return kNormali;
}
