#include "letturacsv.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char *kAttesa = LetturaCsv::kIntestazioneAttesa;

// The first comma, semicolon or tab outside quotes.
char separatoreDi(std::string_view riga)
{
    bool quotato = false;
    for (char c : riga) {
        if (c == '"')
            quotato = !quotato;
        else if (!quotato && (c == ',' || c == ';' || c == '\t'))
            return c;
    }
    return 0;
}

std::string nome(std::string campo, char separatore)
{
    const auto spazio = [&](unsigned char c) {
        return c == ' ' || (c == '\t' && separatore != '\t');
    };
    const auto inizio = std::find_if_not(campo.begin(), campo.end(), spazio);
    const auto fine = std::find_if_not(campo.rbegin(), campo.rend(), spazio).base();
    std::string testo(inizio, std::max(inizio, fine));
    // A name quoted after a blank is read with its quotes: they go too.
    if (testo.size() >= 2 && testo.front() == '"' && testo.back() == '"')
        testo = testo.substr(1, testo.size() - 2);
    std::transform(testo.begin(), testo.end(), testo.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return testo;
}

} // namespace

bool LetturaCsv::leggi(std::string_view testo)
{
    for (std::size_t i = 0; i < testo.size(); ++i) {
        const char c = testo[i];
        if (m_fermo)
            return false;
        if (m_separatore != 0 && m_lunghezza > kMassimoRiga && !m_quotato && !m_ritorno) {
            // A row already too long: only its end, or a quote, matters.
            const std::size_t dopo = testo.find_first_of("\n\"", i);
            m_lunghezza += (dopo == std::string_view::npos ? testo.size() : dopo) - i;
            if (dopo == std::string_view::npos)
                break;
            i = dopo;
            carattere(testo[i]);
            continue;
        }
        if (m_separatore != 0) {
            carattere(c);
            continue;
        }
        // The header's first line is kept as written until it ends, to find the separator;
        // then it is read as any record is.
        m_grezza += c;
        if (m_grezza.size() > kMassimoRiga) {
            m_erroreIntestazione = kAttesa;
            m_fermo = true;
        } else if (c == '\n') {
            intestazione();
        }
    }
    return !m_fermo;
}

void LetturaCsv::intestazione()
{
    m_separatore = separatoreDi(m_grezza);
    const std::string grezza = std::move(m_grezza);
    m_grezza.clear();
    if (m_separatore == 0) {
        m_erroreIntestazione = kAttesa;
        m_fermo = true;
        return;
    }
    m_numero = 0; // the header is read as a record of its own: row 1
    for (std::size_t i = 0; i < grezza.size() && !m_fermo; ++i)
        carattere(grezza[i]);
}

void LetturaCsv::fine()
{
    if (m_fermo)
        return;
    if (m_separatore == 0) {
        if (m_grezza.empty()) {
            m_erroreIntestazione = kAttesa;
            m_fermo = true;
            return;
        }
        m_grezza += '\n';
        intestazione();
        return;
    }
    if (m_ritorno) {
        m_ritorno = false;
        m_campo += '\r';
    }
    if (!m_vuoto || !m_campi.empty())
        fineRecord(!m_quotato);
}

void LetturaCsv::carattere(char c)
{
    if (m_ritorno) {
        m_ritorno = false;
        if (c == '\n') {
            fineRecord(true);
            return;
        }
        carattere('\r');
    }
    m_vuoto = false;
    if (++m_lunghezza > kMassimoRiga) {
        m_campo.clear();
        if (!m_quotato && c == '\n')
            fineRecord(true);
        else if (c == '"')
            m_quotato = !m_quotato;
        return;
    }
    if (m_quotato) {
        if (c == '"')
            m_quotato = false, m_appenaChiuso = true;
        else
            m_campo += c;
        return;
    }
    const bool doppia = m_appenaChiuso && c == '"';
    m_appenaChiuso = false;
    if (doppia) {
        m_campo += '"';
        m_quotato = true;
    } else if (c == '"' && m_campo.empty()) {
        m_quotato = true;
    } else if (c == m_separatore) {
        fineCampo();
    } else if (c == '\n') {
        fineRecord(true);
    } else if (c == '\r') {
        m_ritorno = true;
    } else {
        m_campo += c;
    }
}

void LetturaCsv::fineCampo()
{
    m_campi.push_back(std::move(m_campo));
    m_campo.clear();
}

void LetturaCsv::fineRecord(bool chiuso)
{
    if (m_fermo)
        return;
    fineCampo();
    Riga riga{m_numero, std::move(m_campi), {}};
    const bool lunga = m_lunghezza > kMassimoRiga;
    m_campi.clear();
    m_lunghezza = 0;
    m_quotato = m_appenaChiuso = false;
    m_vuoto = true;
    if (m_numero == 0) { // the header
        m_numero = 2;
        std::vector<std::string> nomi;
        for (std::string &campo : riga.campi)
            nomi.push_back(nome(std::move(campo), m_separatore));
        if (!std::equal(nomi.begin(), nomi.end(), kIntestazione.begin(), kIntestazione.end())) {
            m_erroreIntestazione = kAttesa;
            m_fermo = true;
        }
        return;
    }
    riga.numero = m_numero++;
    if (riga.campi.size() == 1 && riga.campi[0].empty() && chiuso && !lunga)
        return; // a blank line
    if (lunga)
        riga.errore =
            "la riga supera i " + std::to_string(kMassimoRiga) + " caratteri: non è una schedina";
    else if (!chiuso)
        riga.errore = "virgolette aperte e mai chiuse";
    else if (riga.campi.size() != kColonne)
        riga.errore = "la riga ha " + std::to_string(riga.campi.size()) + " campi invece di " +
                      std::to_string(kColonne);
    if (!riga.errore.empty())
        riga.campi.clear();
    m_fermo = !m_visita(riga);
}
