#include "impaginazione.h"

#include "base/lotto.h"

#include <filesystem>
#include <utility>

namespace {

constexpr double kCorpo = 10.5;     // every line but the titles
constexpr double kCorpoTitolo = 12; // a ticket's title, the set's name, the totals' title
constexpr double kRiga = 5.2;       // from one baseline to the next
constexpr double kColonna = 48;     // where the values start, after their labels
constexpr double kImporti = 125;    // where the stakes end
constexpr double kInizio = 30;      // the first block's top, below the header
constexpr double kDestra = Impaginazione::kLarghezza - Impaginazione::kMargine;

std::size_t caratteri(std::string_view utf8)
{
    std::size_t n = 0;
    for (unsigned char c : utf8)
        n += (c & 0xC0) != 0x80;
    return n;
}

// The width of so many characters of a size, in millimetres.
double larghezza(std::size_t caratteri, double corpo)
{
    return double(caratteri) * corpo * Impaginazione::kAvanzamento *
           Impaginazione::kMillimetriPerPunto;
}

// The text cut to its first n characters, the last of them an ellipsis when it was longer.
std::string taglia(std::string testo, std::size_t n)
{
    if (caratteri(testo) <= n)
        return testo;
    std::size_t fine = 0;
    for (std::size_t visti = 0; fine < testo.size(); ++fine) {
        if ((static_cast<unsigned char>(testo[fine]) & 0xC0) != 0x80 && visti++ == n - 1)
            break;
    }
    return testo.substr(0, fine) + "\u2026";
}

// How many characters of the body's size fit between the values' column and the right margin.
std::size_t caratteriPerRiga()
{
    return std::size_t((kDestra - kColonna) / larghezza(1, kCorpo));
}

// The names joined by commas, a new line wherever the next would not fit; a line that goes on
// below ends in its comma.
std::vector<std::string> aCapo(const std::vector<std::string> &nomi)
{
    std::vector<std::string> righe;
    for (const std::string &nome : nomi) {
        if (!righe.empty() && caratteri(righe.back()) + 2 + caratteri(nome) <= caratteriPerRiga())
            righe.back() += ", " + nome;
        else {
            if (!righe.empty())
                righe.back() += ',';
            righe.push_back(nome);
        }
    }
    return righe;
}

std::string titolo(const Schedina &s)
{
    std::string testo = s.titoloTesto();
    testo.erase(testo.find_last_not_of(' ') + 1);
    return testo;
}

std::string numeri(const Schedina &s)
{
    std::string testo;
    for (std::size_t i = 0; i < lotto::kCaselleNumeri; ++i) {
        if (s.numeri[i] != 0)
            testo += (testo.empty() ? "" : " ") + std::to_string(s.numeri[i]);
    }
    return testo.empty() ? "-" : testo;
}

// "TUTTE" for the flag or for all ten wheels ticked; otherwise each wheel ticked.
std::vector<std::string> ruote(const Schedina &s)
{
    std::vector<std::string> nomi;
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        if (s.ruote[w] == 1)
            nomi.emplace_back(lotto::kNomiRuote[w]);
    }
    if (s.ruote[lotto::kTutte] == 1 || nomi.size() == lotto::kRuote)
        return {std::string(lotto::kNomiRuote[lotto::kTutte])};
    if (nomi.empty())
        return {"-"};
    return nomi;
}

} // namespace

Impaginazione::Impaginazione(std::string_view percorsoInsieme, std::span<const Schedina> schede,
                             char separatoreDecimale)
    : m_separatore(separatoreDecimale)
{
    for (const Schedina &s : schede) {
        ++m_schedine;
        const std::optional<Currency> costo = s.costo();
        m_totale = m_totale && costo ? m_totale->plus(*costo) : std::nullopt;
        colloca(bloccoSchedina(m_schedine, s));
    }
    colloca(bloccoTotali());
    intestazioni(std::filesystem::path(percorsoInsieme).filename().string());
}

std::string Impaginazione::importo(const std::optional<Currency> &valore) const
{
    return valore ? valore->toString(m_separatore) : "oltre il limite della valuta";
}

Impaginazione::Blocco Impaginazione::bloccoSchedina(std::size_t numero, const Schedina &s) const
{
    Blocco b;
    double y = 5;
    b.testi.push_back({kMargine, y, std::to_string(numero) + ". " + titolo(s), kCorpoTitolo, true});
    y += kRiga + 1;
    const auto riga = [&](std::string etichetta, std::string valore, bool aDestra = false,
                          bool grassetto = false) {
        if (!etichetta.empty())
            b.testi.push_back({kMargine, y, std::move(etichetta), kCorpo, grassetto});
        b.testi.push_back(
            {aDestra ? kImporti : kColonna, y, std::move(valore), kCorpo, grassetto, aDestra});
        y += kRiga;
    };
    riga("Numeri", numeri(s));
    std::string etichetta = "Ruote";
    for (std::string &testo : aCapo(ruote(s)))
        riga(std::exchange(etichetta, {}), std::move(testo));
    etichetta = "Giocate";
    for (std::size_t k = 0; k < lotto::kTipiGiocata; ++k) {
        if (s.giocate[k] != 1)
            continue;
        b.testi.push_back({kColonna, y, std::string(lotto::kNomiGiocate[k]), kCorpo});
        riga(std::exchange(etichetta, {}), s.puntate[k].toString(m_separatore), true);
    }
    if (!etichetta.empty())
        riga(etichetta, "nessuna");
    riga("Costo", importo(s.costo()), true, true);
    b.altezza = y + 1;
    return b;
}

Impaginazione::Blocco Impaginazione::bloccoTotali() const
{
    Blocco b;
    double y = 6;
    b.testi.push_back({kMargine, y, "Totali", kCorpoTitolo, true});
    y += kRiga + 1;
    b.testi.push_back({kMargine, y, "Schedine", kCorpo});
    b.testi.push_back({kImporti, y, std::to_string(m_schedine), kCorpo, true, true});
    y += kRiga;
    b.testi.push_back({kMargine, y, "Puntata totale", kCorpo});
    b.testi.push_back({kImporti, y, importo(m_totale), kCorpo, true, true});
    b.altezza = y + kRiga + 1;
    return b;
}

// A block goes on the last page if it fits whole above the bottom margin, else on a new page;
// a rule closes it.
void Impaginazione::colloca(Blocco blocco)
{
    if (m_pagine.empty() || m_y + blocco.altezza > kFondo) {
        m_pagine.emplace_back();
        m_y = kInizio;
    }
    Pagina &pagina = m_pagine.back();
    for (Testo &t : blocco.testi) {
        t.y += m_y;
        pagina.testi.push_back(std::move(t));
    }
    m_y += blocco.altezza;
    pagina.filetti.push_back({kMargine, m_y, kDestra, m_y});
    m_y += 1;
}

void Impaginazione::intestazioni(std::string_view nomeInsieme)
{
    const std::string totale = std::to_string(m_pagine.size());
    for (std::size_t p = 0; p < m_pagine.size(); ++p) {
        Pagina &pagina = m_pagine[p];
        std::string numero = "Pagina " + std::to_string(p + 1) + " di " + totale;
        // A long name stops 5 mm before the page's number.
        const double spazio = kDestra - kMargine - larghezza(numero.size(), kCorpo) - 5;
        pagina.testi.push_back(
            {kMargine, kMargine,
             taglia(std::string(nomeInsieme), std::size_t(spazio / larghezza(1, kCorpoTitolo))),
             kCorpoTitolo, true});
        pagina.testi.push_back({kDestra, kMargine, std::move(numero), kCorpo, false, true});
        pagina.filetti.push_back({kMargine, kMargine + 3, kDestra, kMargine + 3});
    }
}
