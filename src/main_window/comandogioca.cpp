#include "comandogioca.h"

#include "main_window/form_gioco.h"
#include "main_window/listaschede.h"
#include "main_window/modelloschede.h"
#include "main_window/paginagioca.h"
#include "main_window/paginalotto.h"
#include "widgets/stilegioco.h"
#include "widgets/testonumero.h"
#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "storage/cacheinsieme.h"
#include "storage/codepage1252.h"
#include "storage/indiceinsieme.h"
#include "storage/insiemeschede.h"

#include <QLabel>
#include <QPushButton>

namespace {

using catalogo::Evento;

constexpr std::int64_t kTraguardo = 10000000;

} // namespace

ComandoGioca::ComandoGioca(Form_gioco *window, Modulo &modulo, GeneratoreCasuale &generatore)
    : QObject(window), m_window(window), m_modulo(modulo), m_generatore(generatore),
      m_annunci(modulo)
{
    connect(window->paginaGioca()->cmd_gioca, &QPushButton::clicked, this,
            &ComandoGioca::cmd_gioca_Click);
}

void ComandoGioca::cmd_gioca_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    ListaSchede *toPlay = m_window->paginaLotto()->lst_dagioca;
    if (toPlay->count() == 0) {
        SuonaOMostra(m_modulo, Evento::NessunaSchedinaDaGiocare);
        return;
    }
    m_estratti.estrai(m_generatore);
    mostraEstrazione();
    // The whole set is read before anything is credited, so a set that cannot be read costs
    // the player nothing: the tickets stay chosen and can be played or taken back.
    const auto insieme = m_window->insiemeLetto().leggi(m_modulo.file_insieme);
    if (!insieme) {
        m_modulo.avvisi().mostra(insieme.errore().descrizione(), catalogo::kTitoloErrore);
        return;
    }
    TurnoDiGioco::gioca(m_modulo, *insieme.valore(), ListaSchede::grezze(toPlay->voci()),
                        m_estratti, m_annunci, *this);
    restituisciSchedine();
    fineGioco();
    stile::scrivi(m_window->paginaGioca()->lbl_punti, testoNumero(m_modulo.punti));
}

// The board is blanked whole, then filled once the whole draw is made.
void ComandoGioca::mostraEstrazione()
{
    PaginaGioca *page = m_window->paginaGioca();
    for (QLabel *label : page->lbl_numeri)
        label->clear();
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        for (std::size_t p = 0; p < Estrazione::kPosizioni; ++p)
            page->lbl_numeri[w * 5 + p]->setNum(m_estratti.numero(w, p));
    }
}

void ComandoGioca::vincitaAccreditata(double totale)
{
    PaginaGioca *page = m_window->paginaGioca();
    stile::scrivi(page->lbl_vincita, testoNumero(totale));
    stile::scrivi(page->lbl_situazione, testoNumero(m_modulo.situazione));
}

void ComandoGioca::schedinaLetta(double totale)
{
    stile::scrivi(m_window->paginaGioca()->lbl_vincita, testoNumero(totale));
    m_window->mostraPunti();
}

void ComandoGioca::restituisciSchedine()
{
    PaginaLotto *page = m_window->paginaLotto();
    page->lst_esistenti->modello()->aggiungi(page->lst_dagioca->voci());
    stile::scrivi(m_window->paginaGioca()->lbl_somma, QStringLiteral("0"));
    page->lst_dagioca->modello()->svuota();
}

void ComandoGioca::fineGioco()
{
    if (m_modulo.punti == Currency()) {
        SuonaOMostra(m_modulo, Evento::GameOver);
    } else if (m_modulo.punti > Currency::fromRaw(kTraguardo * Currency::kScale)) {
        SuonaOMostra(m_modulo, Evento::Vittoria);
        m_window->mnu_file_newgame_Click();
    }
}
