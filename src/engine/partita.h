#pragma once

#include "base/currency.h"
#include "engine/elencoschede.h"
#include "engine/estrazione.h"
#include "engine/valutazione.h"
#include "storage/cacheinsieme.h"
#include "storage/errorefile.h"
#include "storage/esito.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

class GeneratoreCasuale;

// The game: the points and what moves them, the open set and its two lists, the draws. Its
// operations are what the player does; each tells what happened, for the windows to show and
// announce. Nothing here plays a sound or opens a window.
class Partita
{
public:
    static constexpr std::int64_t kPuntiIniziali = 10000;
    static constexpr std::int64_t kTraguardo = 10000000; // won above it

    // What the "Gioca" page and the caption show.
    struct Conti
    {
        Currency punti = Currency::fromRaw(kPuntiIniziali * Currency::kScale);
        Currency situazione; // the game's result: winnings less stakes
        Currency posta;      // the last move's sum (0 after a refund, a play or a new game)
        Currency vincita;    // the last play's winnings
    };

    enum class Fine
    {
        InCorso,
        GameOver, // exactly 0 points
        Vittoria, // above ten million
    };

    enum class Lista
    {
        Esistenti,
        DaGioca,
    };

    // A move between the lists, or a refund.
    struct Mossa
    {
        enum class Esito
        {
            Fatta,
            Nulla,              // nothing to move
            PuntiInsufficienti, // the sum is more than the points
            CostoTroppo,        // the costs leave the range points can hold
            PuntiTroppi,        // the points would
            Illeggibile,        // the set cannot be read: nothing moved
            Restituite,         // the set cannot be read: the entries went back with their charges
        };
        Esito esito = Esito::Fatta;
        Currency somma;
        std::optional<ErroreFile> errore;
    };

    // What a play shows, in order.
    struct Evento
    {
        enum class Tipo
        {
            Vincita,   // a bet type won on a wheel, before its wheel is credited
            Accredito, // a wheel credited: its winnings so far shown, not yet the points
            Giocata,   // a ticket played: the winnings and the points shown
            Finito,    // the tickets given back, nothing in play
            GameOver,
            Vittoria,
        };
        Tipo tipo;
        std::size_t giocata = 0;
        std::size_t ruota = 0;
        Conti conti; // as they stand at this point of the play
    };
    struct Turno
    {
        enum class Esito
        {
            NessunaSchedina, // nothing chosen: no draw
            Giocato,
            Illeggibile,   // drawn, then the set could not be read: nothing credited
            FineDelleVere, // the real draws are all played: no draw, nothing spent
        };
        Esito esito = Esito::Giocato;
        std::optional<ErroreFile> errore;
        std::vector<Evento> eventi;
    };

    Partita();

    const Conti &conti() const { return m_conti; }
    // Puts the accounts back as they were before a command that did not go through.
    void ripristina(const Conti &conti) { m_conti = conti; }
    bool insiemeAperto() const { return m_insieme.has_value(); }
    const std::optional<std::string> &insieme() const { return m_insieme; }
    const ElencoSchede &elenco(Lista lista) const;
    ElencoSchede &elenco(Lista lista);
    const Estrazione &estrazione() const { return m_estrazione; }

    // A real day's draw, as the archive has it: the day, written as the game shows it, and the
    // numbers of the game's wheels (none on a wheel not drawn that day).
    struct EstrazioneVera
    {
        std::string data;
        Estrazione estrazione;
    };
    // The plays that follow are on these days, one a play in their order, rather than drawn at
    // random; a new game goes back to the random draw.
    void usaEstrazioniVere(std::vector<EstrazioneVera> giorni);
    void usaEstrazioniCasuali();
    bool estrazioniVere() const { return m_vere.has_value(); }
    // The day of the draw on the board: none for a random draw or before any play.
    const std::optional<std::string> &dataEstrazione() const { return m_dataEstrazione; }
    // The day the next play is on, with real draws left.
    std::optional<std::string> prossimaData() const;

    // The tickets chosen for play as the next play takes them: the record of the open set each
    // entry is found at (the one it was listed from while that keeps its title, else the first
    // with it; an entry no longer in the set has none), and their charges together, the stake
    // of each play.
    struct Giocate
    {
        std::vector<std::uint64_t> record;
        Currency posta;
    };
    Esito<Giocate> giocate() const;

    // What a printed play plan shows: the tickets chosen for play as the next play would take
    // them, or every ticket of the open set, in file order, when none is chosen.
    Esito<std::vector<Schedina>> schedeDaStampare();

    // The first record of the open set with this stored title, all 20 bytes compared.
    struct Trovata
    {
        std::uint64_t record = 0;
        Schedina scheda;
    };
    Esito<std::optional<Trovata>> cerca(std::string_view voce) const;

    // A new game: the starting points, no set, nothing staked or won.
    void nuova();
    // The set read, all its tickets listed as existing, none chosen.
    std::optional<ErroreFile> apri(const std::string &percorso);
    // A set without tickets yet.
    void apriVuoto(const std::string &percorso);
    // A ticket written into the open set: its entry (the title's stored bytes) at the end of the
    // existing ones.
    void aggiuntaSchedina(std::string_view titolo);
    // The ticket the editor is changing: its record; 0 while a new ticket is written. A ticket
    // rewritten and a new game end the change.
    std::uint64_t recordInModifica() const { return m_recordInModifica; }
    void modifica(std::uint64_t record) { m_recordInModifica = record; }

    // Whether a record of the open set has this title, blanks around aside; none without a set.
    Esito<bool> titoloPresente(std::string_view titolo) const;
    // The editor's save, under the set's lock: a new ticket after the set's last record; a
    // changed one over its own record, then its old entry leaves the list (the first existing
    // entry with the old title, blanks around aside; it comes back at the end under its new
    // title) and the change ends. The title is looked for again under the lock (another game or
    // the companion may have saved it since), unless a changed ticket keeps its old title,
    // blanks around aside: false when it is taken, and nothing written. The titles are as typed
    // (one longer than a record holds is looked for whole, as the check before the save did).
    Esito<bool> salva(const Schedina &schedina, std::string_view titolo,
                      std::string_view titoloVecchio);

    // ">" and ">>": entries chosen for play at their costs as the set has them now. Rows are
    // taken in list order, each once; a row the list does not have is none.
    Mossa scegli(std::span<const int> righe);
    Mossa scegliTutte();
    // "<" and "<<": their costs given back, as the set has them now.
    Mossa restituisci(std::span<const int> righe);
    Mossa restituisciTutte();
    // Before another set is loaded, the stakes of the play list come back; its entries stay
    // until the new set replaces them.
    Mossa rimborsa();

    // One play: a draw (the next real day's, or at random from the generator), every chosen
    // ticket evaluated and credited, the tickets given back. Past the last real day there is no
    // play, and nothing is spent.
    Turno gioca(GeneratoreCasuale &generatore);

    // The rules the simulations share.
    static Fine fine(Currency punti);
    // Whole points added, held at the largest amount the points can hold rather than wrapping.
    static Currency accredita(Currency punti, double vincita);

private:
    void riscritta(std::string_view titoloVecchio);
    Mossa sposta(Lista da, std::span<const int> righe, bool tutte);
    Mossa restituisciAddebiti(std::span<const int> righe, const ErroreFile &errore);
    bool prenota(Currency somma, bool togli);
    Esito<std::vector<Schedina>> schedeGiocate();
    std::vector<std::uint64_t> recordGiocati(const IndiceInsieme &indice) const;
    // The open set as it is now, through the last reading while the file has not changed.
    Esito<std::shared_ptr<const IndiceInsieme>> leggiInsieme() const;

    Conti m_conti;
    std::optional<std::string> m_insieme;
    std::uint64_t m_recordInModifica = 0;
    ElencoSchede m_esistenti;
    ElencoSchede m_dagioca;
    mutable CacheInsieme m_cache; // what a look at the set reads is kept for the next
    Estrazione m_estrazione;
    std::optional<std::string> m_dataEstrazione;
    struct Vere
    {
        std::vector<EstrazioneVera> giorni;
        std::size_t prossima = 0;
    };
    std::optional<Vere> m_vere;
    Valutazione::Combinazioni m_combinazioni{};
};
