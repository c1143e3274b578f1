#include "comandogioca.h"

#include "base/codepage1252.h"
#include "main_window/listaschede.h"
#include "main_window/modelloschede.h"
#include "main_window/paginagioca.h"
#include "main_window/paginalotto.h"
#include "shared/modulo.h"
#include "sound/suonaomostra.h"
#include "storage/cacheinsieme.h"
#include "storage/indiceinsieme.h"
#include "storage/insiemeschede.h"
#include "widgets/nelturno.h"
#include "widgets/stilegioco.h"
#include "widgets/testonumero.h"

#include <QLabel>
#include <QPushButton>

namespace {

using catalogo::Evento;

constexpr std::int64_t kTraguardo = 10000000;

} // namespace

ComandoGioca::ComandoGioca(PaginaGioca *gioca, PaginaLotto *lotto, Modulo &modulo,
                           GeneratoreCasuale &generatore, CacheInsieme &insieme, QObject *parent)
    : QObject(parent), m_gioca(gioca), m_lotto(lotto), m_modulo(modulo), m_generatore(generatore),
      m_insieme(insieme), m_annunci(modulo)
{
    connect(gioca->cmd_gioca, &QPushButton::clicked, this,
            nelTurno(m_modulo, this, &ComandoGioca::cmd_gioca_Click));
}

void ComandoGioca::cmd_gioca_Click()
{
    SuonaEvento(m_modulo, Evento::Click);
    ListaSchede *toPlay = m_lotto->lst_dagioca;
    if (toPlay->count() == 0) {
        SuonaOMostra(m_modulo, Evento::NessunaSchedinaDaGiocare);
        return;
    }
    m_estratti.estrai(m_generatore);
    mostraEstrazione();
    // The whole set is read before anything is credited, so a set that cannot be read costs
    // the player nothing: the tickets stay chosen with their stakes, to be played or taken back.
    const auto insieme = m_insieme.leggi(m_modulo.file_insieme);
    if (!insieme)
        return m_modulo.avvisi().mostra(insieme.errore().nonSiPuoLeggere(),
                                        catalogo::kTitoloErrore);
    TurnoDiGioco::gioca(m_modulo, *insieme.valore(), toPlay->modello()->grezze(), m_estratti,
                        m_annunci, *this);
    restituisciSchedine();
    fineGioco();
    stile::scrivi(m_gioca->lbl_punti, testoNumero(m_modulo.punti));
}

// The board is blanked whole, then filled once the whole draw is made.
void ComandoGioca::mostraEstrazione()
{
    for (std::size_t i = 0; i < m_gioca->lbl_numeri.size(); ++i)
        m_gioca->scriviNumero(i, QString());
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        for (std::size_t p = 0; p < Estrazione::kPosizioni; ++p)
            m_gioca->scriviNumero(w * 5 + p, QString::number(m_estratti.numero(w, p)));
    }
}

void ComandoGioca::vincitaAccreditata(double totale)
{
    stile::scrivi(m_gioca->lbl_vincita, testoNumero(totale));
    stile::scrivi(m_gioca->lbl_situazione, testoNumero(m_modulo.situazione));
}

void ComandoGioca::schedinaLetta(double totale)
{
    stile::scrivi(m_gioca->lbl_vincita, testoNumero(totale));
    Q_EMIT puntiCambiati();
}

void ComandoGioca::restituisciSchedine()
{
    ModelloSchede::Voci played = m_lotto->lst_dagioca->modello()->tutte();
    played.addebiti.clear(); // the list of existing tickets holds no charge
    m_lotto->lst_esistenti->modello()->aggiungi(std::move(played));
    stile::scrivi(m_gioca->lbl_somma, QStringLiteral("0"));
    m_lotto->lst_dagioca->modello()->svuota();
}

void ComandoGioca::fineGioco()
{
    if (m_modulo.punti == Currency()) {
        SuonaOMostra(m_modulo, Evento::GameOver);
    } else if (m_modulo.punti > Currency::fromRaw(kTraguardo * Currency::kScale)) {
        SuonaOMostra(m_modulo, Evento::Vittoria);
        Q_EMIT partitaVinta();
    }
}
