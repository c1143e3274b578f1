#include "rapportorighe.h"

void RapportoRighe::aggiungi(std::uint64_t riga, std::string_view motivo, std::string_view luogo)
{
    if (++m_rifiutate > kRigheNelRapporto)
        return;
    if (!luogo.empty())
        m_testo.append(luogo).append(", ");
    m_testo.append("riga ").append(std::to_string(riga)).append(": ").append(motivo) += '\n';
}

std::string RapportoRighe::testo() const
{
    if (m_rifiutate <= kRigheNelRapporto)
        return m_testo;
    return m_testo + "... e altre " + std::to_string(m_rifiutate - kRigheNelRapporto) +
           " righe rifiutate\n";
}
