#include "cli/codiciuscita.h"
#include "cli/comandiestrazioni.h"
#include "cli/comandistorico.h"
#include "cli/comandivalutazione.h"
#include "cli/comandoadd.h"
#include "cli/comandodump.h"
#include "cli/comandoexport.h"
#include "cli/comandoimport.h"
#include "cli/comandosystem.h"
#include "cli/uscitacontrollata.h"
#include "storage/errorefile.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <csignal>
#include <iostream>
#include <new>
#include <optional>
#include <system_error>

namespace {

void italianHelp(CLI::App &app)
{
    auto formatter = app.get_formatter();
    formatter->label("Usage", "Uso");
    formatter->label("OPTIONS", "OPZIONI");
    formatter->label("SUBCOMMAND", "COMANDO");
    formatter->label("SUBCOMMANDS", "COMANDI");
    formatter->label("Options", "Opzioni");
    formatter->label("Positionals", "Argomenti");
    formatter->label("Subcommands", "Comandi");
    formatter->label("REQUIRED", "OBBLIGATORIO");
    formatter->label("TEXT", "TESTO");
    formatter->label("INT", "NUMERO");
    formatter->label("UINT", "NUMERO");
    formatter->label("Needs", "Richiede");
    formatter->label("Excludes", "Esclude");
    app.option_defaults()->group("Opzioni");
    app.set_help_flag("-h,--help", "Mostra questo aiuto ed esce")->group("Opzioni");
}

CLI::App *addDump(CLI::App &app, std::string &percorso)
{
    auto *dump = app.add_subcommand(
        "dump", "Stampa ogni schedina del file, una per riga, come oggetto JSON");
    dump->group("Comandi");
    italianHelp(*dump);
    dump->add_option("FILE", percorso, "Il file delle schedine (.slott)")->required();
    return dump;
}

CLI::App *addExport(CLI::App &app, std::string &percorso)
{
    auto *export_ = app.add_subcommand(
        "export", "Stampa il file come CSV per un foglio di calcolo: titolo, numeri, ruote e le "
                  "puntate delle cinque giocate, una riga per schedina");
    export_->group("Comandi");
    italianHelp(*export_);
    export_->add_option("FILE", percorso, "Il file delle schedine (.slott)")->required();
    return export_;
}

CLI::App *addAdd(CLI::App &app, RichiestaAdd &r)
{
    auto *add = app.add_subcommand(
        "add", "Aggiunge una schedina in fondo al file, con gli stessi controlli del gioco, e "
               "stampa il numero della schedina scritta");
    add->group("Comandi");
    italianHelp(*add);
    add->add_option("FILE", r.percorso, "Il file delle schedine (.slott); creato se manca")
        ->required();
    add->add_option("--titolo", r.titolo,
                    "Il titolo della schedina: al massimo 20 caratteri, senza caratteri di "
                    "controllo");
    add->add_option("--numeri", r.numeri,
                    "Da 1 a 10 numeri diversi da 1 a 90, separati da "
                    "virgole, per esempio 12,34");
    add->add_option("--ruote", r.ruote,
                    "Le ruote separate da virgole (BARI, CAGLIARI, FIRENZE, "
                    "GENOVA, MILANO, NAPOLI, PALERMO, ROMA, TORINO, VENEZIA) "
                    "oppure TUTTE");
    add->add_option("--giocata", r.giocate,
                    "Una giocata con la sua puntata, per esempio Ambo=5 "
                    "(Estratto, Ambo, Terno, Quaterna, Cinquina); "
                    "ripetibile");
    return add;
}

CLI::App *addSystem(CLI::App &app, RichiestaSystem &r)
{
    auto *system = app.add_subcommand(
        "system", "Scrive in fondo al file un sistema integrale o ridotto, tutto insieme o niente");
    system->footer(
        "Integrale: ogni combinazione di --classe numeri tra quelli dati, in ordine, con i "
        "titoli PREFISSO 1, PREFISSO 2... (numerati con tante cifre quante ne ha il totale).\n"
        "Ridotto, con --garanzia e --se P: meno schedine, ma se escono P dei numeri del "
        "sistema su una ruota giocata, almeno una schedina ne contiene 2 (ambo), 3 (terno), 4 "
        "(quaterna) o 5 (cinquina). Il sistema è costruito e poi verificato su ogni gruppo di "
        "P numeri prima di scrivere; accetta fino a 90 numeri con --se 2 o 3, 60 con --se 4, "
        "40 con --se 5. Dove la teoria dei disegni conosce il sistema più piccolo (piani "
        "proiettivi e affini, sistemi di Steiner, disegni di Witt) è quello; altrimenti una "
        "ricerca lo riduce per al massimo --tempo secondi, con le stesse schedine a parità di "
        "argomenti su ogni macchina. Le schedine sono i numeri nell'ordine in cui li dai.\n"
        "Ogni schedina passa i controlli di add; un titolo già nel file rifiuta tutto il "
        "sistema. Al massimo 1000000 schedine per comando, e il file non deve superarne "
        "2000000. Stampa una riga JSON: schedine, primo e ultimo record, costo totale, "
        "garanzia; per un sistema ridotto anche ottimo (true: nessun sistema ha meno schedine; "
        "false: se ne conosce uno più piccolo; null: non si sa) e limite_inferiore (meno "
        "schedine di così non bastano).");
    system->group("Comandi");
    italianHelp(*system);
    system->add_option("FILE", r.percorso, "Il file delle schedine (.slott); creato se manca")
        ->required();
    system->add_option("--numeri", r.numeri, "I numeri del sistema, diversi, da 1 a 90")
        ->required();
    system->add_option("--classe", r.classe, "Quanti numeri per schedina, da 1 a 10")->required();
    system->add_option("--ruote", r.ruote, "Le ruote, come per add");
    system->add_option("--giocata", r.giocate,
                       "Una giocata con la sua puntata, come per add (per esempio Ambo=1); "
                       "ripetibile");
    system->add_option("--titolo", r.titolo,
                       "Il prefisso dei titoli, seguito da uno spazio e dal numero della "
                       "schedina (predefinito: Sistema); il titolo intero deve stare in 20 "
                       "caratteri");
    system->add_option("--garanzia", r.garanzia, "ambo, terno, quaterna o cinquina");
    system->add_option("--se", r.se, "Quanti numeri estratti, da 2 a 5, la garanzia copre");
    system->add_option("--tempo", r.tempo,
                       "Secondi al massimo per cercare un sistema ridotto più piccolo, da 1 a "
                       "600 (predefinito: 10)");
    return system;
}

CLI::App *addImport(CLI::App &app, std::string &percorso, std::string &csv)
{
    auto *import = app.add_subcommand(
        "import", "Aggiunge in fondo al file le righe di un CSV, tutte insieme o nessuna");
    import->footer(
        "Il CSV è quello di export o quello di un foglio di calcolo: l'intestazione titolo,"
        "numeri,ruote,estratto,ambo,terno,quaterna,cinquina (maiuscole o minuscole, anche tra "
        "virgolette), separata da virgole, punti e virgola o tabulazioni; il testo in UTF-8, in "
        "UTF-16 con il suo segno iniziale, oppure in Windows-1252. Ogni riga passa i controlli "
        "di add, e il suo titolo non deve essere già nel file né in una riga precedente. Se una "
        "riga è rifiutata non si scrive nulla: le prime 30 righe rifiutate sono indicate come "
        "\"riga N: motivo\" (l'intestazione è la riga 1), le altre contate. Anche se il "
        "comando è interrotto il file resta com'era. Stampa una riga JSON: schedine, primo e "
        "ultimo record.");
    import->group("Comandi");
    italianHelp(*import);
    import->add_option("FILE", percorso, "Il file delle schedine (.slott); creato se manca")
        ->required();
    import->add_option("CSV", csv, "Il file CSV da leggere")->required();
    return import;
}

struct RichiestaValutazione
{
    std::string percorso;
    std::string record;
    std::string estrazione;
};

CLI::App *addEvaluate(CLI::App &app, RichiestaValutazione &r)
{
    auto *evaluate = app.add_subcommand(
        "evaluate", "Valuta una schedina su un'estrazione data e stampa annunci e vincite in JSON");
    evaluate->group("Comandi");
    italianHelp(*evaluate);
    evaluate->add_option("FILE", r.percorso, "Il file delle schedine (.slott)")->required();
    evaluate->add_option("RECORD", r.record, "Il numero della schedina nel file, da 1")->required();
    evaluate
        ->add_option("--estrazione", r.estrazione,
                     "50 numeri separati da virgole: cinque per ruota, nell'ordine di estrazione, "
                     "da Bari a Venezia")
        ->required();
    return evaluate;
}

CLI::App *addOdds(CLI::App &app, std::string &percorso)
{
    auto *odds = app.add_subcommand(
        "odds", "Per ogni schedina, quanto rende in media una giocata (valore atteso esatto)");
    odds->group("Comandi");
    italianHelp(*odds);
    odds->add_option("FILE", percorso, "Il file delle schedine (.slott)")->required();
    return odds;
}

CLI::App *addSimulate(CLI::App &app, RichiestaSimulate &r)
{
    auto *simulate = app.add_subcommand(
        "simulate", "Gioca le schedine del file contro N estrazioni, oppure N partite intere");
    simulate->footer(
        aiutoPartite() +
        "Le estrazioni seguono la regola del gioco (cinque numeri diversi per ruota) ma con un "
        "generatore proprio, più veloce: xoshiro256**, un flusso per ogni blocco di 1024 "
        "estrazioni o per ogni partita, derivato dal seme; così con lo stesso --seme i "
        "risultati sono gli stessi con qualunque numero di thread. Senza --seme il seme viene "
        "dall'orologio.");
    simulate->group("Comandi");
    italianHelp(*simulate);
    simulate->add_option("FILE", r.percorso, "Il file delle schedine (.slott)")->required();
    simulate->add_option("--estrazioni", r.estrazioni, "Quante estrazioni fare");
    simulate->add_option("--partite", r.partite, "Quante partite intere giocare");
    simulate->add_option("--seme", r.seme,
                         "Il seme del generatore: con lo stesso seme i risultati si ripetono");
    simulate->add_option("--turni", r.turni,
                         "Con --partite: dopo quanti turni una partita è interrotta (1000)");
    simulate->add_option("--thread", r.thread,
                         "Quanti thread usare (predefinito: tutte le CPU che il processo può "
                         "usare)");
    return simulate;
}

void opzioneArchivio(CLI::App &comando, std::optional<std::string> &archivio)
{
    comando.add_option("--archivio", archivio,
                       "Il file dell'archivio delle estrazioni (predefinito: "
                       "$XDG_DATA_HOME/zaffirone/estrazioni.sqlite)");
}

struct ComandiDraws
{
    CLI::App *draws, *import, *add, *show;
};

ComandiDraws addDraws(CLI::App &app, RichiestaDraws &r)
{
    ComandiDraws c{};
    c.draws =
        app.add_subcommand("draws", "L'archivio delle estrazioni vere del Lotto: import, add, "
                                    "show");
    c.draws->group("Comandi");
    c.draws->require_subcommand(1);
    italianHelp(*c.draws);
    c.import = c.draws->add_subcommand(
        "import", "Aggiunge all'archivio le estrazioni di storico.zip o del suo testo, tutte "
                  "insieme o nessuna");
    c.import->footer(
        "Le righe sono quelle dell'archivio pubblicato (AAAA/MM/GG, la ruota in due lettere BA "
        "CA FI GE MI NA PA RM TO VE o RN per la Nazionale, i cinque numeri, separati da "
        "tabulazioni), oppure GG/MM/AAAA;RUOTA;N1;...;N5 o AAAAMMGG;RUOTA;N1;...;N5. Le righe "
        "ripetute uguali sono contate (doppie) e saltate; le date con meno di dieci ruote sono "
        "tenute e contate (incomplete). Una riga in un'altra forma, una data che non esiste, una "
        "ruota sconosciuta, un numero fuori da 1-90 o ripetuto, o una ruota e una data già note "
        "con altri numeri rifiutano tutto il file: le prime 30 righe rifiutate sono indicate come "
        "\"riga N: motivo\", le altre contate. Stampa una riga JSON: righe, estrazioni, nuove, "
        "dal, al, doppie, incomplete.");
    italianHelp(*c.import);
    c.import->add_option("FILE", r.file, "I file da leggere: storico.zip o il suo testo")
        ->required();
    opzioneArchivio(*c.import, r.archivio);
    c.add = c.draws->add_subcommand(
        "add", "Aggiunge l'estrazione di un giorno scritta a mano, con gli stessi controlli");
    italianHelp(*c.add);
    c.add->add_option("DATA", r.data, "Il giorno: 2025-04-29, 2025/04/29 o 29/04/2025")->required();
    c.add
        ->add_option("--ruota", r.ruote,
                     "Una ruota e i suoi cinque numeri nell'ordine di estrazione, per esempio "
                     "BARI=1,2,3,4,5 (anche NAZIONALE); ripetibile")
        ->required();
    opzioneArchivio(*c.add, r.archivio);
    c.show = c.draws->add_subcommand(
        "show", "Stampa l'estrazione di un giorno (l'ultima se non lo indichi) in JSON");
    italianHelp(*c.show);
    c.show->add_option("DATA", r.data, "Il giorno: 2025-04-29, 2025/04/29 o 29/04/2025");
    c.show->add_option("--colpi", r.colpi,
                       "Quante estrazioni da quel giorno in poi (1), una riga JSON ciascuna");
    opzioneArchivio(*c.show, r.archivio);
    return c;
}

CLI::App *addCheck(CLI::App &app, RichiestaStorico &r)
{
    auto *check = app.add_subcommand(
        "check", "Ho vinto? Le schedine del file contro le estrazioni vere, una riga per ogni "
                 "vincita");
    check->footer("Per il giorno di --data (l'ultimo dell'archivio se manca) e i --colpi - 1 "
                  "giorni di estrazione dopo, una riga JSON per ogni schedina, giorno e ruota che "
                  "vince (data, record, titolo, ruota, annunci, vincita come la calcola "
                  "evaluate), poi il totale: schedine, estrazioni, puntato (ogni schedina costa "
                  "le sue puntate a ogni estrazione) e vinto. Una ruota non estratta quel giorno "
                  "non vince nulla.");
    check->group("Comandi");
    italianHelp(*check);
    check->add_option("FILE", r.percorso, "Il file delle schedine (.slott)")->required();
    check->add_option("--data", r.data, "Il giorno: 2025-04-29, 2025/04/29 o 29/04/2025");
    check->add_option("--colpi", r.colpi, "Quante estrazioni da quel giorno in poi (1)");
    opzioneArchivio(*check, r.archivio);
    return check;
}

CLI::App *addHistory(CLI::App &app, RichiestaStorico &r)
{
    auto *history = app.add_subcommand(
        "history", "Le schedine del file giocate a ogni estrazione vera di un periodo");
    history->footer("Stampa una riga JSON: estrazioni, schedine, puntato, vinto, rendimento, "
                    "rendimento_atteso (quello di odds), vincita_massima (data, record, vincita), "
                    "senza_vincite_max (la serie più lunga di estrazioni senza vincite), secondi.");
    history->group("Comandi");
    italianHelp(*history);
    history->add_option("FILE", r.percorso, "Il file delle schedine (.slott)")->required();
    history->add_option("--dal", r.dal, "Il primo giorno (predefinito: il primo dell'archivio)");
    history->add_option("--al", r.al, "L'ultimo giorno (predefinito: l'ultimo dell'archivio)");
    history->add_option("--thread", r.thread,
                        "Quanti thread usare (predefinito: tutte le CPU che il processo può "
                        "usare)");
    opzioneArchivio(*history, r.archivio);
    return history;
}

CLI::App *addDelays(CLI::App &app, RichiestaStorico &r)
{
    auto *delays = app.add_subcommand("delays", "Il ritardo di ogni schedina del file");
    delays->footer("Una riga JSON per schedina: record, titolo, ritardo (le estrazioni dall'ultima "
                   "vincita, o tutte), ritardo_massimo, vincite; contate sulle estrazioni in cui "
                   "almeno una delle sue ruote è stata estratta.");
    delays->group("Comandi");
    italianHelp(*delays);
    delays->add_option("FILE", r.percorso, "Il file delle schedine (.slott)")->required();
    delays->add_option("--al", r.al, "L'ultimo giorno (predefinito: l'ultimo dell'archivio)");
    opzioneArchivio(*delays, r.archivio);
    return delays;
}

CLI::App *addStats(CLI::App &app, RichiestaStorico &r)
{
    auto *stats = app.add_subcommand("stats", "Uscite e ritardi di ogni numero su ogni ruota");
    stats->footer("Una riga JSON per ruota (Nazionale compresa) e numero: ruota, numero, uscite, "
                  "ritardo, ritardo_massimo, contati sulle estrazioni di quella ruota.");
    stats->group("Comandi");
    italianHelp(*stats);
    stats->add_option("--ruota", r.ruota, "Una ruota sola: BARI ... VENEZIA, NAZIONALE");
    stats->add_option("--dal", r.dal, "Il primo giorno");
    stats->add_option("--al", r.al, "L'ultimo giorno");
    opzioneArchivio(*stats, r.archivio);
    return stats;
}

// What was wrong with the command line, in the player's language: the parser's own sentence
// would be English.
std::string motivoInItaliano(const CLI::ParseError &e)
{
    if (dynamic_cast<const CLI::RequiredError *>(&e))
        return "manca un argomento obbligatorio";
    if (dynamic_cast<const CLI::ExtrasError *>(&e))
        return "c'è un argomento in più, non previsto";
    if (dynamic_cast<const CLI::ArgumentMismatch *>(&e))
        return "un'opzione ha un numero sbagliato di valori";
    if (dynamic_cast<const CLI::ConversionError *>(&e) ||
        dynamic_cast<const CLI::ValidationError *>(&e))
        return "un valore non è valido";
    if (dynamic_cast<const CLI::ExcludesError *>(&e) ||
        dynamic_cast<const CLI::RequiresError *>(&e))
        return "queste opzioni non vanno insieme";
    return "comando non riconosciuto";
}

// What a command printed must have reached its reader. A reader that went away (a closed pipe)
// ends the command without a word; any other failure is said.
int controllaUscita(int esito, std::ostream &out, const UscitaControllata &standard)
{
    out.flush();
    if (standard.errore() == 0)
        return esito;
    if (standard.errore() != EPIPE)
        std::cerr << "zaffirone-cli: Impossibile scrivere l'uscita: "
                  << ErroreFile(ErroreFile::Tipo::Scrittura, {}, standard.errore()).motivo()
                  << '\n';
    return uscita::kErrore;
}

struct Comandi
{
    CLI::App *dump, *export_, *add, *system, *import, *evaluate, *odds, *simulate;
    ComandiDraws draws;
    CLI::App *check, *history, *delays, *stats;
    std::string dumpPath, exportPath, importPath, importCsv, oddsPath;
    RichiestaAdd add_;
    RichiestaSystem system_;
    RichiestaValutazione evaluate_;
    RichiestaSimulate simulate_;
    RichiestaDraws draws_;
    RichiestaStorico check_, history_, delays_, stats_;
};

void aggiungiComandi(CLI::App &app, Comandi &c)
{
    c.dump = addDump(app, c.dumpPath);
    c.export_ = addExport(app, c.exportPath);
    c.add = addAdd(app, c.add_);
    c.system = addSystem(app, c.system_);
    c.import = addImport(app, c.importPath, c.importCsv);
    c.evaluate = addEvaluate(app, c.evaluate_);
    c.odds = addOdds(app, c.oddsPath);
    c.simulate = addSimulate(app, c.simulate_);
    c.draws = addDraws(app, c.draws_);
    c.check = addCheck(app, c.check_);
    c.history = addHistory(app, c.history_);
    c.delays = addDelays(app, c.delays_);
    c.stats = addStats(app, c.stats_);
}

int esegui(const Comandi &c, std::ostream &out)
{
    if (c.dump->parsed())
        return eseguiDump(c.dumpPath, out, std::cerr);
    if (c.export_->parsed())
        return eseguiExport(c.exportPath, out, std::cerr);
    if (c.add->parsed())
        return eseguiAdd(c.add_, out, std::cerr);
    if (c.system->parsed())
        return eseguiSystem(c.system_, out, std::cerr);
    if (c.import->parsed())
        return eseguiImport(c.importPath, c.importCsv, out, std::cerr);
    if (c.evaluate->parsed())
        return eseguiEvaluate(c.evaluate_.percorso, c.evaluate_.record, c.evaluate_.estrazione, out,
                              std::cerr);
    if (c.odds->parsed())
        return eseguiOdds(c.oddsPath, out, std::cerr);
    if (c.simulate->parsed())
        return eseguiSimulate(c.simulate_, out, std::cerr);
    if (c.draws.import->parsed())
        return eseguiDrawsImport(c.draws_, out, std::cerr);
    if (c.draws.add->parsed())
        return eseguiDrawsAdd(c.draws_, out, std::cerr);
    if (c.draws.show->parsed())
        return eseguiDrawsShow(c.draws_, out, std::cerr);
    if (c.check->parsed())
        return eseguiCheck(c.check_, out, std::cerr);
    if (c.history->parsed())
        return eseguiHistory(c.history_, out, std::cerr);
    if (c.delays->parsed())
        return eseguiDelays(c.delays_, out, std::cerr);
    if (c.stats->parsed())
        return eseguiStats(c.stats_, out, std::cerr);
    return uscita::kRifiuto;
}

// The command line read, the help printed where the output goes, or the mistake said.
std::optional<int> leggiArgomenti(CLI::App &app, int argc, char **argv, std::ostream &out)
{
    try {
        app.parse(argc, argv);
        return std::nullopt;
    } catch (const CLI::CallForHelp &e) {
        return app.exit(e, out, std::cerr);
    } catch (const CLI::CallForAllHelp &e) {
        return app.exit(e, out, std::cerr);
    } catch (const CLI::ParseError &e) {
        std::cerr << "zaffirone-cli: argomenti non validi: " << motivoInItaliano(e) << '\n'
                  << "Uso: zaffirone-cli dump|export|add|system|import|evaluate|odds|simulate|"
                     "draws|check|history|delays|stats ...\n"
                  << "Per i dettagli: zaffirone-cli --help\n";
        return uscita::kRifiuto;
    }
}

// What the program did not expect, said in the player's language: the exception's own words
// would be English.
int inattesa(const std::exception *e)
{
    std::string motivo = "un errore interno";
    if (dynamic_cast<const std::bad_alloc *>(e))
        motivo = "la memoria non basta";
    else if (const auto *sistema = dynamic_cast<const std::system_error *>(e))
        motivo = ErroreFile(ErroreFile::Tipo::Lettura, {}, sistema->code().value()).motivo();
    std::cerr << "zaffirone-cli: il comando si è fermato per un problema inatteso: " << motivo
              << '\n';
    return uscita::kErrore;
}

int avvia(int argc, char **argv, std::ostream &out)
{
    CLI::App app("zaffirone-cli: strumenti per i file di schedine di Zaffirone", "zaffirone-cli");
    italianHelp(app);
    app.require_subcommand(1);
    Comandi comandi;
    aggiungiComandi(app, comandi);
    if (const auto uscito = leggiArgomenti(app, argc, argv, out))
        return *uscito;
    return esegui(comandi, out);
}

} // namespace

int main(int argc, char **argv)
{
    // A file-size limit must turn into a reported write error, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // A closed pipe is a failed write, checked like any other.
    std::signal(SIGPIPE, SIG_IGN);
    std::ios::sync_with_stdio(false);

    UscitaControllata standard;
    std::ostream out(&standard);
    int esito = uscita::kErrore;
    try {
        esito = avvia(argc, argv, out);
    } catch (const std::exception &e) {
        esito = inattesa(&e);
    } catch (...) {
        esito = inattesa(nullptr);
    }
    return controllaUscita(esito, out, standard);
}
