#include "aggiuntainblocco.h"

#include "cli/erroredifile.h"

#include <ostream>
#include <unistd.h>

Esito<AggiuntaInBlocco> AggiuntaInBlocco::prendi(const std::string &percorso)
{
    InsiemeSchede insieme(percorso);
    auto blocco = BloccoInsieme::prendi(percorso);
    if (!blocco)
        return blocco.errore();
    auto prima = insieme.primaDellAggiunta(blocco.valore());
    if (!prima) {
        if (blocco.valore().creato())
            ::unlink(percorso.c_str());
        return prima.errore();
    }
    return AggiuntaInBlocco(std::move(insieme), std::move(blocco).valore(),
                            std::move(prima).valore());
}

AggiuntaInBlocco::AggiuntaInBlocco(InsiemeSchede insieme, BloccoInsieme blocco,
                                   InsiemeSchede::PrimaDellAggiunta prima)
    : m_insieme(std::move(insieme)), m_blocco(std::move(blocco)), m_prima(std::move(prima))
{}

// A file this hold made and nothing was kept in: it goes.
AggiuntaInBlocco::~AggiuntaInBlocco()
{
    if (m_blocco.fd() >= 0 && m_blocco.creato() && !m_fatto)
        ::unlink(m_insieme.percorso().c_str());
}

int AggiuntaInBlocco::scriviEStampa(
    std::string_view record, const std::function<std::string(std::uint64_t, std::uint64_t)> &riga,
    std::ostream &out, std::ostream &err)
{
    const std::uint64_t dopo = schedine() + record.size() / Schedina::kDimensioneRecord;
    if (dopo > ErroreFile::kMassimoSchede) {
        err << "Il file avrebbe " << dopo
            << " schedine, più di quante il gioco possa caricare (al massimo "
            << ErroreFile::kMassimoSchede << ")\n";
        return 2;
    }
    m_fatto = true; // from here on, a failed write and a lost output undo themselves
    const auto primo = m_insieme.aggiungiRecord(record, m_blocco, m_prima);
    if (!primo)
        return erroreDiFile(primo.errore(), err);
    const std::uint64_t ultimo = primo.valore() + record.size() / Schedina::kDimensioneRecord - 1;
    if (out << riga(primo.valore(), ultimo) << '\n' && out.flush())
        return 0;
    m_insieme.annullaAggiunta(m_blocco, m_prima); // a file it made goes here too
    return 1;
}
