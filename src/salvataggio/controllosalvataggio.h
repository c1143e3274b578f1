#pragma once

#include "messaggi/catalogo.h"
#include "salvataggio/moduloscheda.h"
#include "storage/errorefile.h"
#include "storage/esito.h"
#include "storage/schedina.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// The checks a ticket passes before it is saved, in the order the editor runs them, and the
// record built from the boxes. The editor and the companion's "add" share them.
class ControlloSalvataggio
{
public:
    enum class Passo
    {
        Titolo,
        TitoloUnico,
        Numeri,
        NumeroZero,
        Ruote,
        Giocate,
        Puntate
    };

    struct Rifiuto
    {
        std::optional<catalogo::Evento> evento; // the catalogue's message, when it has one
        std::string testo;
        int casella = -1; // the number box to empty and focus, for the zero-number refusal

        static Rifiuto di(catalogo::Evento evento);
    };

    struct Risultato
    {
        std::optional<Rifiuto> rifiuto;
        std::optional<ErroreFile> errore; // the set file could not be scanned for the title
        bool ok() const { return !rifiuto && !errore; }
    };

    // Whether the set already holds a title, compared trimmed.
    using TitoloEsiste = std::function<Esito<bool>(std::string_view titolo)>;
    // Runs after each check that passed; a refusal it returns ends the checks there.
    using ControlloAggiuntivo = std::function<std::optional<Rifiuto>(Passo)>;

    static Risultato controlla(const ModuloScheda &modulo, const TitoloEsiste &titoloEsiste,
                               const ControlloAggiuntivo &aggiuntivo = {});

    // The record the boxes describe; a refusal when a stake has more decimals than the currency
    // keeps or does not fit its range.
    static std::variant<Schedina, Rifiuto> costruisci(const ModuloScheda &modulo);

    // Refusal for a stake larger than a set file can hold.
    static Rifiuto puntataTroppoAlta(std::size_t tipoGiocata);

private:
    static std::optional<Rifiuto> controllaPasso(Passo passo, const ModuloScheda &modulo,
                                                 const TitoloEsiste &titoloEsiste,
                                                 std::optional<ErroreFile> &errore);
};
