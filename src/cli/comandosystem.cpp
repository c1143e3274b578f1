#include "comandosystem.h"

#include "base/codepage1252.h"
#include "base/combinazioni.h"
#include "base/testovisibile.h"
#include "base/text.h"
#include "cli/aggiuntainblocco.h"
#include "cli/codiciuscita.h"
#include "cli/controlloadd.h"
#include "cli/erroredifile.h"
#include "sistemi/ricercalocale.h"
#include "sistemi/sistemaridotto.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>
#include <ostream>
#include <unistd.h>

namespace {

using Json = nlohmann::ordered_json;
using Blocco = SistemaRidotto::Blocco;

// The share of --tempo's CPU seconds the construction and search of a reduced system may take.
constexpr double kQuotaCostruzione = 0.92;

constexpr std::array<std::string_view, 4> kGaranzie = {"ambo", "terno", "quaterna", "cinquina"};

struct Rifiuto
{
    std::string testo;
    bool uso = false; // a mistake in how the command was written
};

struct Piano
{
    std::vector<long long> numeri; // ascending for an integral system, else as the player gave
    int k = 0;
    std::optional<SistemaRidotto::Parametri> ridotto;
    std::string garanzia;
    std::string prefisso; // the title's prefix as the set stores it, then a blank
};

std::optional<Rifiuto> leggiNumeri(const RichiestaSystem &r, Piano &piano)
{
    const auto numeri = ControlloAdd::elenco(r.numeri);
    if (numeri.empty())
        return Rifiuto{"Indica i numeri del sistema con --numeri, per esempio 3,17,25", true};
    if (auto rifiuto = ControlloAdd::controllaNumeri(numeri))
        return Rifiuto{*rifiuto};
    for (const std::string &n : numeri)
        piano.numeri.push_back(*ControlloAdd::numero(n));
    const int n = static_cast<int>(piano.numeri.size());
    if (r.classe < 1 || r.classe > 10 || r.classe > n)
        return Rifiuto{"La classe deve essere da 1 a 10 numeri per schedina, e non più dei numeri "
                       "del sistema (" +
                       std::to_string(n) + ")"};
    piano.k = r.classe;
    return std::nullopt;
}

std::optional<Rifiuto> leggiGaranzia(const RichiestaSystem &r, Piano &piano)
{
    if (!r.garanzia && !r.se)
        return std::nullopt;
    if (!r.garanzia || !r.se)
        return Rifiuto{"--garanzia e --se vanno indicate insieme", true};
    std::string tipo = *r.garanzia;
    std::transform(tipo.begin(), tipo.end(), tipo.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto trovato = std::find(kGaranzie.begin(), kGaranzie.end(), tipo);
    if (trovato == kGaranzie.end())
        return Rifiuto{"Garanzia sconosciuta: \"" + testoVisibile(*r.garanzia) +
                           "\" (ambo, terno, quaterna o cinquina)",
                       true};
    const int v = static_cast<int>(trovato - kGaranzie.begin()) + 2;
    const int p = *r.se;
    const int n = static_cast<int>(piano.numeri.size());
    if (v > piano.k)
        return Rifiuto{"Per garantire " + tipo + " servono schedine di almeno " +
                       std::to_string(v) + " numeri"};
    if (p < v || p > 5 || p > n)
        return Rifiuto{"--se deve essere da " + std::to_string(v) +
                       " a 5, e non più dei numeri del sistema (" + std::to_string(n) + ")"};
    if (n > SistemaRidotto::massimoNumeri(p))
        return Rifiuto{"Con --se " + std::to_string(p) +
                       " il sistema ridotto può avere al massimo " +
                       std::to_string(SistemaRidotto::massimoNumeri(p)) + " numeri"};
    if (r.tempo < 1 || r.tempo > kMassimoTempo)
        return Rifiuto{"--tempo deve essere da 1 a " + std::to_string(kMassimoTempo) + " secondi",
                       true};
    piano.ridotto = SistemaRidotto::Parametri{n, piano.k, p, v};
    piano.garanzia = tipo;
    return std::nullopt;
}

std::string cifre(std::uint64_t indice, std::size_t larghezza)
{
    std::string testo = std::to_string(indice);
    return std::string(larghezza - std::min(larghezza, testo.size()), '0') + testo;
}

// Every title must fit the set's 20 characters whole; the last one is as long as any.
std::optional<Rifiuto> leggiTitoli(const RichiestaSystem &r, Piano &piano, std::uint64_t quante)
{
    const std::string_view prefisso = trimSpaces(r.titolo);
    if (prefisso.empty())
        return Rifiuto{"Il prefisso dei titoli (--titolo) non può essere vuoto"};
    piano.prefisso =
        CodePage1252::encodeFromUtf8(prefisso, std::numeric_limits<std::size_t>::max()) + ' ';
    const std::string ultimo = piano.prefisso + std::to_string(quante);
    if (ultimo.size() > Schedina::kLunghezzaTitolo)
        return Rifiuto{"Il titolo \"" + testoVisibile(CodePage1252::decodeToUtf8(ultimo)) +
                       "\" supera i " + std::to_string(Schedina::kLunghezzaTitolo) +
                       " caratteri: scegli un prefisso più corto"};
    return std::nullopt;
}

// The first ticket through every check of "add": wheels, bet types against the class, stakes.
ControlloAdd::Verdetto controllaPrima(const RichiestaSystem &r, const Piano &piano,
                                      std::uint64_t quante)
{
    RichiestaAdd aggiungi{
        r.percorso,
        CodePage1252::decodeToUtf8(piano.prefisso + cifre(1, std::to_string(quante).size())),
        {},
        r.ruote,
        r.giocate};
    for (int i = 0; i < piano.k; ++i)
        aggiungi.numeri +=
            (i ? "," : "") + std::to_string(piano.numeri[static_cast<std::size_t>(i)]);
    return ControlloAdd::controlla(aggiungi, [](std::string_view) { return Esito<bool>(false); });
}

// The system's ticket with the lowest number whose title the set holds already, if any.
Esito<std::uint64_t> primoTitoloPresente(const InsiemeSchede &insieme, const Piano &piano,
                                         std::uint64_t quante)
{
    const std::size_t larghezza = std::to_string(quante).size();
    std::uint64_t primo = 0;
    auto esaminate = insieme.scorri([&](std::uint64_t, const unsigned char *byte) {
        const std::string_view titolo =
            trimSpaces({reinterpret_cast<const char *>(byte), Schedina::kLunghezzaTitolo});
        if (titolo.size() != piano.prefisso.size() + larghezza ||
            !titolo.starts_with(piano.prefisso))
            return true;
        const std::string_view numero = titolo.substr(piano.prefisso.size());
        if (!std::all_of(numero.begin(), numero.end(),
                         [](unsigned char c) { return std::isdigit(c); }))
            return true;
        const std::uint64_t k = std::stoull(std::string(numero));
        if (k >= 1 && k <= quante && (primo == 0 || k < primo))
            primo = k;
        return true;
    });
    if (!esaminate)
        return esaminate.errore();
    return primo;
}

// The records of the whole system, one after another, handed to the write as they are made.
class Registro
{
public:
    Registro(const Schedina &modello, const Piano &piano, std::uint64_t quante,
             AggiuntaInBlocco &aggiunta)
        : m_schedina(modello), m_piano(piano), m_larghezza(std::to_string(quante).size()),
          m_aggiunta(aggiunta)
    {}

    template <typename Indici>
    void aggiungi(const Indici &indici)
    {
        const std::string titolo = m_piano.prefisso + cifre(++m_scritte, m_larghezza);
        m_schedina.titolo.fill(' ');
        std::copy(titolo.begin(), titolo.end(), m_schedina.titolo.begin());
        for (int i = 0; i < m_piano.k; ++i)
            m_schedina.numeri[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(
                m_piano.numeri[static_cast<std::size_t>(indici[static_cast<std::size_t>(i)])]);
        // A reduced system's positions follow the player's order; a ticket lists its numbers
        // ascending, as the game's editor does.
        std::sort(m_schedina.numeri.begin(), m_schedina.numeri.begin() + m_piano.k);
        m_aggiunta.aggiungi(m_schedina.codifica());
    }

private:
    Schedina m_schedina;
    const Piano &m_piano;
    std::size_t m_larghezza;
    AggiuntaInBlocco &m_aggiunta;
    std::uint64_t m_scritte = 0;
};

// The search's progress on one line of a terminal; nothing when errors go to a file or a pipe.
SistemaRidotto::Progresso progresso(std::ostream &flussoErrori, bool &mostrato)
{
    if (::isatty(STDERR_FILENO) == 0)
        return {};
    return [&flussoErrori, &mostrato](std::size_t schedine, double fatto) {
        mostrato = true;
        flussoErrori << "\rRicerca: " << schedine << " schedine, "
                     << static_cast<int>(std::min(fatto, 1.0) * 100) << "% del tempo" << std::flush;
    };
}

int rifiuta(const Rifiuto &r, std::ostream &flussoErrori)
{
    if (r.uso)
        flussoErrori << "zaffirone-cli: " << r.testo << "\nUso: zaffirone-cli system --help\n";
    else
        flussoErrori << r.testo << '\n';
    return uscita::kRifiuto;
}

// Under the set's lock: the titles and the set's limit, then the records written as they are
// made.
int scrivi(const RichiestaSystem &r, const Piano &piano, const std::vector<Blocco> &ridotto,
           const Schedina &modello, std::uint64_t quante, const std::string &costo,
           std::ostream &flusso, std::ostream &flussoErrori)
{
    auto aggiunta = AggiuntaInBlocco::prendi(r.percorso, flussoErrori);
    if (!aggiunta)
        return erroreDiFile(aggiunta.errore(), flussoErrori);
    const auto presente = primoTitoloPresente(aggiunta.valore().insieme(), piano, quante);
    if (!presente)
        return erroreDiFile(presente.errore(), flussoErrori);
    if (presente.valore() != 0)
        return rifiuta(
            {ControlloSalvataggio::Rifiuto::di(catalogo::Evento::SalvaTitoloEsistente).testo +
             " (" +
             CodePage1252::decodeToUtf8(piano.prefisso +
                                        cifre(presente.valore(), std::to_string(quante).size())) +
             ")"},
            flussoErrori);
    if (const std::uint64_t dopo = aggiunta.valore().schedine() + quante;
        dopo > ErroreFile::kMassimoSchede)
        return oltreIlLimite(dopo, flussoErrori);
    Registro registro(modello, piano, quante, aggiunta.valore());
    if (piano.ridotto)
        std::for_each(ridotto.begin(), ridotto.end(),
                      [&](const Blocco &b) { registro.aggiungi(b); });
    else
        combinazioni::perOgni(piano.k, int(piano.numeri.size()),
                              [&](const auto &indice) { registro.aggiungi(indice); });
    return aggiunta.valore().concludi(
        [&](std::uint64_t primo, std::uint64_t ultimo) {
            Json riga{{"schedine", quante},
                      {"primo_record", primo},
                      {"ultimo_record", ultimo},
                      {"costo_totale", costo},
                      {"garanzia", nullptr}};
            if (piano.ridotto) {
                riga["garanzia"] =
                    Json{{"tipo", piano.garanzia}, {"se", piano.ridotto->p}, {"verificata", true}};
                const auto ottimo = SistemaRidotto::ottimo(*piano.ridotto, quante);
                riga["ottimo"] = ottimo ? Json(*ottimo) : Json(nullptr);
                riga["limite_inferiore"] = SistemaRidotto::limiteInferiore(*piano.ridotto);
            }
            return riga.dump();
        },
        flusso);
}

} // namespace

int eseguiSystem(const RichiestaSystem &r, std::ostream &flusso, std::ostream &flussoErrori)
{
    Piano piano;
    if (auto rifiuto = leggiNumeri(r, piano); rifiuto || (rifiuto = leggiGaranzia(r, piano)))
        return rifiuta(*rifiuto, flussoErrori);
    const int n = static_cast<int>(piano.numeri.size());
    if (!piano.ridotto)
        std::sort(piano.numeri.begin(), piano.numeri.end());
    std::vector<Blocco> ridotto;
    bool mostrato = false;
    // The work is sized to end within the budget; the CPU limit, which leaves room for the
    // guarantee's check and the write, only stops a machine far slower than this one.
    if (piano.ridotto)
        ridotto = SistemaRidotto::costruisci(
            *piano.ridotto, static_cast<std::uint64_t>(r.tempo) * SistemaRidotto::kLavoroPerSecondo,
            progresso(flussoErrori, mostrato),
            r.tempo * kQuotaCostruzione - RicercaLocale::tempoCpu());
    if (mostrato)
        flussoErrori << '\n';
    const std::uint64_t quante =
        piano.ridotto ? ridotto.size() : combinazioni::binomiale(n, piano.k);
    if (quante > kMassimoPerComando)
        return rifiuta({"Il sistema ha più di " + std::to_string(kMassimoPerComando) +
                        " schedine: un comando ne scrive al massimo " +
                        std::to_string(kMassimoPerComando)},
                       flussoErrori);
    if (auto rifiuto = leggiTitoli(r, piano, quante))
        return rifiuta(*rifiuto, flussoErrori);
    const auto prima = controllaPrima(r, piano, quante);
    if (!prima.schedina)
        return rifiuta({prima.rifiuto, prima.nomeSconosciuto}, flussoErrori);
    std::int64_t costo = 0;
    const auto unaSchedina = prima.schedina->costo();
    if (!unaSchedina ||
        __builtin_mul_overflow(unaSchedina->raw(), static_cast<std::int64_t>(quante), &costo))
        return rifiuta({"Il costo totale del sistema supera il limite della valuta"}, flussoErrori);
    if (piano.ridotto && !SistemaRidotto::verifica(*piano.ridotto, ridotto)) {
        flussoErrori
            << "zaffirone-cli: il sistema ridotto non mantiene la garanzia: nessuna schedina "
               "scritta\n";
        return uscita::kErrore;
    }
    return scrivi(r, piano, ridotto, *prima.schedina, quante, Currency::fromRaw(costo).toString(),
                  flusso, flussoErrori);
}
