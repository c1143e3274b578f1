#include "testoimportato.h"

#include "estrazioni/errorearchivio.h"
#include "storage/errorefile.h"

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <filesystem>
#include <memory>

namespace {

using Lettore = std::unique_ptr<archive, decltype(&archive_read_free)>;

[[noreturn]] void nonSiLegge(const std::string &percorso, archive *a)
{
    const int codice = archive_errno(a);
    // libarchive says a damaged or unknown format with EILSEQ, its own misuse with EINVAL;
    // other codes are the system's.
    if (codice > 0 && codice != EILSEQ && codice != EINVAL)
        throw ErroreArchivio(ErroreArchivio::Tipo::Errore,
                             ErroreFile(ErroreFile::Tipo::Lettura, percorso, codice).descrizione());
    throw ErroreArchivio(ErroreArchivio::Tipo::Errore,
                         "Impossibile leggere il file \"" + percorso +
                             "\": è uno zip danneggiato, o un file che non si sa aprire.");
}

} // namespace

std::vector<TestoImportato::Parte> TestoImportato::leggi(const std::string &percorso)
{
    // An empty file is an empty text, which libarchive would not take for one.
    std::error_code e;
    if (std::filesystem::is_regular_file(percorso, e) &&
        std::filesystem::file_size(percorso, e) == 0)
        return {Parte{percorso, {}}};
    Lettore a(archive_read_new(), &archive_read_free);
    if (!a)
        throw std::bad_alloc();
    // A zip, or else the bytes themselves as one entry; through any filter.
    archive_read_support_filter_all(a.get());
    archive_read_support_format_zip(a.get());
    archive_read_support_format_raw(a.get());
    if (archive_read_open_filename(a.get(), percorso.c_str(), 1 << 16) != ARCHIVE_OK)
        nonSiLegge(percorso, a.get());
    std::vector<Parte> parti;
    archive_entry *voce = nullptr;
    for (int esito; (esito = archive_read_next_header(a.get(), &voce)) != ARCHIVE_EOF;) {
        if (esito < ARCHIVE_WARN)
            nonSiLegge(percorso, a.get());
        const bool grezzo = archive_format(a.get()) == ARCHIVE_FORMAT_RAW;
        if (!grezzo && archive_entry_filetype(voce) != AE_IFREG)
            continue;
        const char *nome = archive_entry_pathname(voce);
        Parte parte{grezzo || !nome ? percorso : percorso + ":" + nome, {}};
        char blocco[1 << 16];
        for (la_ssize_t letti; (letti = archive_read_data(a.get(), blocco, sizeof blocco)) != 0;) {
            if (letti < 0)
                nonSiLegge(percorso, a.get());
            if (parte.testo.size() + std::size_t(letti) > kMassimo)
                throw ErroreArchivio(ErroreArchivio::Tipo::Rifiuto,
                                     "Il file \"" + percorso + "\" ha più di " +
                                         std::to_string(kMassimo >> 20) +
                                         " MB di testo: non è un archivio delle estrazioni.");
            parte.testo.append(blocco, std::size_t(letti));
        }
        parti.push_back(std::move(parte));
    }
    return parti;
}
