// A spreadsheet's sheet of any XML, read as import reads it: the first byte chooses .ods or
// .xlsx, and whether Gnumeric wrote it; the rest is content.xml, or the sheet and then, after a
// NUL, the shared strings. The
// reader never crashes nor loops; every row it hands on comes after the header, numbered upwards,
// and has the eight fields or says why it has none.

#include "fuzz.h"

#include "cli/letturafoglio.h"

#include <archive.h>
#include <archive_entry.h>

#include <string_view>
#include <utility>
#include <vector>

namespace {

// The parts as a zip, stored as they are, in the fuzz process's one file.
const std::string &zip(const std::vector<std::pair<const char *, std::string_view>> &parti)
{
    static std::string byte;
    byte.assign(1 << 20, '\0');
    std::size_t usati = 0;
    archive *a = archive_write_new();
    VERIFICA(archive_write_set_format_zip(a) == ARCHIVE_OK &&
             archive_write_zip_set_compression_store(a) == ARCHIVE_OK &&
             archive_write_open_memory(a, byte.data(), byte.size(), &usati) == ARCHIVE_OK);
    archive_entry *voce = archive_entry_new();
    for (const auto &[nome, testo] : parti) {
        archive_entry_clear(voce);
        archive_entry_set_pathname(voce, nome);
        archive_entry_set_filetype(voce, AE_IFREG);
        archive_entry_set_perm(voce, 0644);
        archive_entry_set_size(voce, la_int64_t(testo.size()));
        VERIFICA(archive_write_header(a, voce) == ARCHIVE_OK &&
                 archive_write_data(a, testo.data(), testo.size()) == la_ssize_t(testo.size()));
    }
    archive_entry_free(voce);
    VERIFICA(archive_write_close(a) == ARCHIVE_OK);
    archive_write_free(a);
    return fileDi(reinterpret_cast<const std::uint8_t *>(byte.data()), usati);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view testo(reinterpret_cast<const char *>(data + 1), size - 1);
    std::vector<std::pair<const char *, std::string_view>> parti;
    if (data[0] & 1) {
        const std::size_t nul = std::min(testo.find('\0'), testo.size());
        parti = {{"xl/workbook.xml", "<workbook/>"},
                 {"xl/worksheets/sheet1.xml", testo.substr(0, nul)},
                 {"xl/sharedStrings.xml", testo.substr(std::min(nul + 1, testo.size()))}};
    } else {
        parti = {{"mimetype", ScritturaFoglio::kTipoOds}, {"content.xml", testo}};
    }
    if (data[0] & 2) {
        parti.emplace_back("docProps/app.xml", "<Properties><Application>gnumeric</Application>"
                                               "</Properties>");
        parti.emplace_back("meta.xml", R"(<document-meta xmlns:m="urn:oasis:names:tc:opendocument:)"
                                       R"(xmlns:meta:1.0"><m:generator>gnumeric/1.12.55)"
                                       "</m:generator></document-meta>");
    }
    std::string errore;
    const auto foglio = LetturaFoglio::apri(zip(parti), errore);
    VERIFICA(foglio && errore.empty());
    std::size_t ultima = 1;
    std::size_t righe = 0;
    foglio->leggi([&](const LetturaCsv::Riga &riga) {
        VERIFICA(riga.numero > ultima);
        VERIFICA(riga.campi.size() == (riga.errore.empty() ? LetturaCsv::kColonne : 0));
        ultima = riga.numero;
        return ++righe < 10000;
    });
    return 0;
}
