#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Every event the game reports, with the recordings of both sets and the message box that
// replaces them when sounds are off. Windows ask this table; no recording's name or text lives
// elsewhere. Recordings are named by their path below the recordings' folder
// ("Lotto\click.wav"); where that folder is on disk is for whoever plays them to find.
namespace catalogo {

inline constexpr std::string_view kTitoloApplicazione = "Zaffirone";
inline constexpr std::string_view kTitoloErrore = "Errore";
// Between the points and the cost in the refusals for lack of points.
inline constexpr std::string_view kTeNeServono = " e te ne servono ";

enum class Evento
{
    Click,
    ProgrammaAvviato,
    NuovaPartita,
    MenuEsci,
    UscitaNascosta,
    TabPresentazione,
    TabGioca,
    TabLotto,
    TabRegolamento,
    SchedaSenzaInsieme,
    InsiemeGiaAperto,
    FileEsistente,
    SovrascritturaConfermata,
    PuntiInsufficienti,
    PuntiInsufficientiTutte,
    NessunaSchedinaDaGiocare,
    GameOver,
    Vittoria,
    GiocataSenzaNumero,
    SalvaSenzaTitolo,
    SalvaTitoloEsistente,
    SalvaSenzaNumeri,
    SalvaNumeroFuoriIntervallo,
    SalvaSenzaRuote,
    SalvaSenzaGiocate,
    SalvaSenzaPuntata,
    SchedinaSalvata,
    NumeroFuoriIntervallo,
    NumeroGiaIntrodotto,
    SoloCifre,
    VisoreCliccaModifica,
};

// How an event reaches the player.
enum class Forma
{
    SoloSuono,    // recordings only; silent when sounds are off
    SuonoOMostra, // the recording, or the box when sounds are off
    SuonoPoiBox,  // the recording when sounds are on, then the box in every case
};

struct Voce
{
    Evento evento;
    Forma forma;
    std::vector<std::string_view> normale;   // recordings' names, played in order
    std::vector<std::string_view> spiritosa; // the same for the joking set
    std::string_view testo;                  // the box's text (a prefix where numbers follow)
    std::string_view titolo;                 // the box's title
};

const Voce &voce(Evento evento);
const std::vector<Voce> &tutte();

// The recordings an event plays with the chosen set.
std::span<const std::string_view> registrazioni(Evento evento, bool spiritosi);

// The win announcement of a bet type (0 Estratto .. 4 Cinquina) on a wheel (0 Bari .. 9 Venezia),
// the same in both sets.
std::string registrazioneVincita(std::size_t tipoGiocata, std::size_t ruota);
std::string testoVincita(std::size_t tipoGiocata, std::size_t ruota);
inline constexpr std::string_view kTitoloVincita = "Hai vinto!!";

} // namespace catalogo
