#include "pdfcairo.h"

#include "storage/errorefile.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <utility>

namespace {

constexpr double kPuntiPerMillimetro = 72 / 25.4;

// The PDF's bytes go to the file through here, so that a failed write keeps the system's reason.
struct Uscita
{
    std::FILE *file = nullptr;
    int errore = 0;
};

cairo_status_t scrivi(void *chiusura, const unsigned char *dati, unsigned int quanti)
{
    auto *uscita = static_cast<Uscita *>(chiusura);
    if (uscita->errore == 0 && std::fwrite(dati, 1, quanti, uscita->file) != quanti)
        uscita->errore = errno ? errno : EIO;
    return uscita->errore == 0 ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

void disegna(cairo_t *cr, const Impaginazione::Pagina &pagina)
{
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 0.5);
    for (const Impaginazione::Filetto &f : pagina.filetti) {
        cairo_move_to(cr, f.x1 * kPuntiPerMillimetro, f.y1 * kPuntiPerMillimetro);
        cairo_line_to(cr, f.x2 * kPuntiPerMillimetro, f.y2 * kPuntiPerMillimetro);
        cairo_stroke(cr);
    }
    // The face is chosen again only when a line changes it.
    std::optional<std::pair<double, bool>> faccia;
    for (const Impaginazione::Testo &t : pagina.testi) {
        if (faccia != std::pair(t.corpo, t.grassetto)) {
            cairo_select_font_face(cr, Impaginazione::kCarattere, CAIRO_FONT_SLANT_NORMAL,
                                   t.grassetto ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
            cairo_set_font_size(cr, t.corpo);
            faccia = std::pair(t.corpo, t.grassetto);
        }
        double x = t.x * kPuntiPerMillimetro;
        if (t.aDestra) {
            cairo_text_extents_t misure;
            cairo_text_extents(cr, t.testo.c_str(), &misure);
            x -= misure.x_advance;
        }
        cairo_move_to(cr, x, t.y * kPuntiPerMillimetro);
        cairo_show_text(cr, t.testo.c_str());
    }
}

} // namespace

std::optional<std::string> scriviPdf(const Impaginazione &piano, const std::string &percorso)
{
    Uscita uscita{std::fopen(percorso.c_str(), "wb")};
    if (!uscita.file)
        return ErroreFile(ErroreFile::Tipo::Apertura, percorso, errno).motivo();
    cairo_surface_t *superficie = cairo_pdf_surface_create_for_stream(
        scrivi, &uscita, Impaginazione::kLarghezza * kPuntiPerMillimetro,
        Impaginazione::kAltezza * kPuntiPerMillimetro);
    cairo_t *cr = cairo_create(superficie);
    for (const Impaginazione::Pagina &pagina : piano.pagine()) {
        disegna(cr, pagina);
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_finish(superficie);
    const cairo_status_t stato = cairo_surface_status(superficie);
    cairo_surface_destroy(superficie);
    if (std::fclose(uscita.file) != 0 && uscita.errore == 0)
        uscita.errore = errno ? errno : EIO;
    if (uscita.errore == 0 && stato == CAIRO_STATUS_SUCCESS)
        return std::nullopt;
    std::remove(percorso.c_str());
    if (uscita.errore == 0)
        return std::string("la libreria di disegno si è fermata (") +
               cairo_status_to_string(stato) + ")";
    return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, uscita.errore).motivo();
}
