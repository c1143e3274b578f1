#include "catalogo.h"

#include "base/lotto.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>

namespace catalogo {
namespace {

constexpr std::string_view kClick = "Lotto\\click.wav";
constexpr std::string_view kInizio = "Lotto\\inizio_programma.wav";
constexpr std::string_view kSaluto =
    "Aggiunte\\Spiritose\\il lotto quando vuoi da normalizzare.wav";
constexpr std::string_view kFine = "Aggiunte\\Spiritose\\fine.wav";
constexpr std::string_view kErrore = kTitoloErrore;
constexpr std::string_view kAvviso = "Avviso";

// Spoken-or-written messages: one normal and one joking recording and the box replacing them.
Voce messaggio(Evento evento, std::string_view normale, std::string_view spiritosa,
               std::string_view testo, std::string_view titolo = kErrore)
{
    return {evento, Forma::SuonoOMostra, {normale}, {spiritosa}, testo, titolo};
}

// Fixed recordings with no box; an empty joking list means the same files in both sets.
Voce suoni(Evento evento, std::vector<std::string_view> normale,
           std::vector<std::string_view> spiritosa = {})
{
    if (spiritosa.empty())
        spiritosa = normale;
    return {evento, Forma::SoloSuono, std::move(normale), std::move(spiritosa), {}, {}};
}

std::vector<Voce> costruisci()
{
    using E = Evento;
    std::vector<Voce> t = {
        suoni(E::Click, {kClick}),
        suoni(E::ProgrammaAvviato, {kInizio, kSaluto}),
        suoni(E::NuovaPartita, {kInizio, kSaluto, "Lotto\\nuova_partita.wav"}),
        suoni(E::MenuEsci, {kFine},
              {"Lotto\\Errore_Nooo_non_puoi.wav", "Aggiunte\\Spiritose\\non_uscire.wav", kFine}),
        suoni(E::UscitaNascosta, {"Aggiunte\\Spiritose\\visiiii.wav"}),
        suoni(E::TabPresentazione, {kInizio}, {kClick}),
        suoni(E::TabGioca, {"Lotto\\lotto_gioca.wav"}, {kClick}),
        suoni(E::TabLotto, {"Lotto\\inizio_lotto.wav"}, {kClick}),
        suoni(E::TabRegolamento, {"regolamento\\inizio_regolamento.wav"}, {kClick}),
        messaggio(E::SchedaSenzaInsieme, "Lotto\\lott_almeno_un_file.wav",
                  "Aggiunte\\Spiritose\\manca_schede.wav", "Non hai caricato nessun file"),
        messaggio(E::InsiemeGiaAperto, "Lotto\\file_aperto.wav",
                  "Aggiunte\\Spiritose\\file_aperto.wav", "L'insieme di schedine, è già aperto"),
        {E::FileEsistente,
         Forma::SuonoPoiBox,
         {"Lotto\\lotto_sovrascrivere.wav"},
         {"Aggiunte\\Spiritose\\lotto_sovrascrivere_pollame.wav"},
         "Il file è già esistente,sovrascriverlo?",
         kAvviso},
        {E::SovrascritturaConfermata,
         Forma::SoloSuono,
         {},
         {"Aggiunte\\Spiritose\\perso.wav"},
         {},
         {}},
        messaggio(E::PuntiInsufficienti, "Lotto\\lotto_punti_insufficienti.wav",
                  "Aggiunte\\Spiritose\\punti_4.wav",
                  "Non hai abbastanza punti per fare queste giocate,ne hai "),
        messaggio(E::PuntiInsufficientiTutte, "Lotto\\lotto_punti_insufficienti.wav",
                  "Aggiunte\\Spiritose\\punti_4.wav", "Non hai abbastanza punti!Ne hai "),
        messaggio(E::NessunaSchedinaDaGiocare, "Lotto\\lotto_carica_schedine.wav",
                  "Aggiunte\\Spiritose\\seleziona_sched.wav",
                  "Devi selezionare almeno una schedina da giocare"),
        messaggio(E::GameOver, "Lotto\\lotto_game_over.wav",
                  "Aggiunte\\Spiritose\\game_over_fatal.wav", "Game Over", kTitoloApplicazione),
        messaggio(E::Vittoria, "Lotto\\lotto_hai_vinto.wav", "Aggiunte\\Spiritose\\hai_vindo.wav",
                  "Complimenti!!!Hai finito il giocooooo", "Complimentiiiiii"),
        messaggio(E::GiocataSenzaNumero, "Lotto\\lotto_nessun_numero.wav",
                  "Aggiunte\\Spiritose\\aoo_il numero.wav", "Prima di giocare introduci un numero"),
        messaggio(E::SalvaSenzaTitolo, "Lotto\\lotto_titolo_schedina.wav",
                  "Aggiunte\\Spiritose\\titolo_nn_ce.wav", "Non hai dato un titolo alla schedina"),
        messaggio(E::SalvaTitoloEsistente, "Lotto\\lotto_titolo_esistente.wav",
                  "Aggiunte\\Spiritose\\titolo_esiste.wav",
                  "Il titolo della scheda è già esistente, cambialo."),
        messaggio(E::SalvaSenzaNumeri, "Lotto\\lotto_nessun_numero.wav",
                  "Aggiunte\\Spiritose\\aoo_il numero.wav", "Non hai gocato nessun numero"),
        messaggio(E::SalvaNumeroFuoriIntervallo, "Lotto\\lotto_num_tra_1_e_90.wav",
                  "Aggiunte\\Spiritose\\1_90.wav",
                  "Hai introdotto un numero non compreso tra 1 e 90"),
        messaggio(E::SalvaSenzaRuote, "Lotto\\lotto_selezionare_almeno_1_ruota.wav",
                  "Aggiunte\\Spiritose\\1ruota.wav", "Non hai giocato nessuna ruota"),
        messaggio(E::SalvaSenzaGiocate, "Lotto\\lotto_devi_fare_almeno_1_giocata.wav",
                  "Aggiunte\\Spiritose\\1giocata.wav", "Almeno una giocata la devi fare"),
        messaggio(E::SalvaSenzaPuntata, "Lotto\\lotto_si_giocata_no_puntata.wav",
                  "Aggiunte\\Spiritose\\giocata_si puntata_no.wav",
                  "Hai scelto una giocata ma non hai puntato"),
        messaggio(E::SchedinaSalvata, "Lotto\\lotto_schedina_salvata.wav",
                  "Aggiunte\\Spiritose\\scheda_salva.wav", "Schedina salvata ", kAvviso),
        messaggio(E::NumeroFuoriIntervallo, "Lotto\\lotto_num_tra_1_e_90.wav",
                  "Aggiunte\\Spiritose\\1_90.wav", "Introduci un valore compreso tra 1 e 90"),
        messaggio(E::NumeroGiaIntrodotto, "Lotto\\lotto_num_esiste.wav",
                  "Aggiunte\\Spiritose\\numero_esist.wav", "Numero già introdotto"),
        messaggio(E::SoloCifre, "Lotto\\lotto_cifre.wav", "Aggiunte\\Spiritose\\solo_cifre.wav",
                  "Puoi solo introdurre cifre"),
        messaggio(E::VisoreCliccaModifica, "Lotto\\lotto_clicca_modifica.wav",
                  "Aggiunte\\Spiritose\\modifica.wav", "Clicca su modifica per modificare",
                  kAvviso),
    };
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (static_cast<std::size_t>(t[i].evento) != i)
            throw std::logic_error("catalogo: rows out of the order of Evento");
    }
    return t;
}

std::string lower(std::string_view testo)
{
    std::string minuscolo(testo);
    std::transform(minuscolo.begin(), minuscolo.end(), minuscolo.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return minuscolo;
}

} // namespace

const std::vector<Voce> &tutte()
{
    static const std::vector<Voce> table = costruisci();
    return table;
}

const Voce &voce(Evento evento)
{
    return tutte().at(static_cast<std::size_t>(evento));
}

std::span<const std::string_view> registrazioni(Evento evento, bool spiritosi)
{
    const Voce &v = voce(evento);
    return spiritosi ? v.spiritosa : v.normale;
}

std::string registrazioneVincita(std::size_t tipoGiocata, std::size_t ruota)
{
    return "Ruote e Vincite\\" + lower(lotto::kNomiGiocate.at(tipoGiocata)) + "_" +
           lower(lotto::kNomiRuote.at(ruota)) + ".wav";
}

std::string testoVincita(std::size_t tipoGiocata, std::size_t ruota)
{
    // The box has always spelt the second wheel this way, unlike its recording.
    const std::string nome = ruota == 1 ? "Cogliari" : lotto::nomeRuota(ruota);
    return "Complimenti!" + std::string(lotto::kNomiGiocate.at(tipoGiocata)) + " su " + nome + "!";
}

} // namespace catalogo
