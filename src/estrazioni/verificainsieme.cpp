#include "verificainsieme.h"

#include <algorithm>

std::variant<std::vector<EstrazioneDelGiorno>, std::string>
VerificaInsieme::giorni(const ArchivioEstrazioni &archivio, std::optional<DataEstrazione> data,
                        std::uint64_t colpi)
{
    if (!data && !(data = archivio.ultima()))
        return std::string("l'archivio delle estrazioni è vuoto");
    auto letti = archivio.leggi(*data);
    if (letti.empty() || letti.front().data() != *data)
        return "nell'archivio non c'è un'estrazione del " + data->testo();
    letti.resize(std::min<std::size_t>(letti.size(), colpi));
    return letti;
}

VerificaInsieme::VerificaInsieme(const std::vector<EstrazioneDelGiorno> &giorni)
    : m_verifiche(giorni.begin(), giorni.end())
{}

void VerificaInsieme::verifica(const Schedina &schedina, const Vincita &vincita)
{
    ++m_schedine;
    m_costo.aggiungi(schedina);
    for (std::size_t g = 0; g < m_verifiche.size(); ++g) {
        m_verifiche[g].verifica(schedina, m_vincite);
        for (const auto &v : m_vincite) {
            vincita(g, v);
            m_vinto += __int128(v.credito);
        }
    }
}
