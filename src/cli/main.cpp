#include "cli/codiciuscita.h"
#include "cli/comandiestrazioni.h"
#include "cli/comandistorico.h"
#include "cli/comandivalutazione.h"
#include "cli/comandoadd.h"
#include "cli/comandodump.h"
#include "cli/comandoexport.h"
#include "cli/comandoimport.h"
#include "cli/comandoprint.h"
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

void italianHelp(CLI::App &applicazione)
{
    auto formattatore = applicazione.get_formatter();
    formattatore->label("Usage", "Uso");
    formattatore->label("OPTIONS", "OPZIONI");
    formattatore->label("SUBCOMMAND", "COMANDO");
    formattatore->label("SUBCOMMANDS", "COMANDI");
    formattatore->label("Options", "Opzioni");
    formattatore->label("Positionals", "Argomenti");
    formattatore->label("Subcommands", "Comandi");
    formattatore->label("REQUIRED", "OBBLIGATORIO");
    formattatore->label("TEXT", "TESTO");
    formattatore->label("INT", "NUMERO");
    formattatore->label("UINT", "NUMERO");
    formattatore->label("Needs", "Richiede");
    formattatore->label("Excludes", "Esclude");
    applicazione.option_defaults()->group("Opzioni");
    applicazione.set_help_flag("-h,--help", "Mostra questo aiuto ed esce")->group("Opzioni");
}

CLI::App *addDump(CLI::App &applicazione, std::string &percorso)
{
    auto *scarica = applicazione.add_subcommand(
        "dump", "Stampa ogni schedina del file, una per riga, come oggetto JSON");
    scarica->group("Comandi");
    italianHelp(*scarica);
    scarica->add_option("FILE", percorso, "Il file delle schedine (.slott)")->required();
    return scarica;
}

CLI::App *addExport(CLI::App &applicazione, std::string &percorso, std::string &formato)
{
    auto *esporta = applicazione.add_subcommand(
        "export", "Stampa il file come CSV per un foglio di calcolo: titolo, numeri, ruote e le "
                  "puntate delle cinque giocate, una riga per schedina");
    esporta->footer(
        "Con --formato csv-foglio il CSV comincia con il segno UTF-8 (BOM), e un titolo che un "
        "foglio di calcolo prenderebbe per una formula, un numero, una data, una percentuale o un "
        "valore logico (comincia con = + - @ o un apostrofo, oppure è fatto di cifre e di . , : / "
        "% e E + - ( ) spazio $, oppure è VERO, FALSO, TRUE, FALSE) è scritto dopo un apostrofo: "
        "'007, '=SOMMA(1;2). import toglie quell'apostrofo. Anche il CSV normale mette "
        "l'apostrofo davanti a un titolo che già comincia con un apostrofo seguito da un tale "
        "titolo, perché torni com'era. Con --formato ods o xlsx stampa il file del foglio di "
        "calcolo (da reindirizzare in un file): i titoli, i numeri e le ruote sono celle di "
        "testo, le puntate celle numeriche.");
    esporta->group("Comandi");
    italianHelp(*esporta);
    esporta->add_option("FILE", percorso, "Il file delle schedine (.slott)")->required();
    esporta->add_option("--formato", formato,
                        "csv (predefinito), csv-foglio, ods o xlsx: come scrivere il file");
    return esporta;
}

CLI::App *addAdd(CLI::App &applicazione, RichiestaAdd &r)
{
    auto *aggiungi = applicazione.add_subcommand(
        "add", "Aggiunge una schedina in fondo al file, con gli stessi controlli del gioco, e "
               "stampa il numero della schedina scritta");
    aggiungi->group("Comandi");
    italianHelp(*aggiungi);
    aggiungi->add_option("FILE", r.percorso, "Il file delle schedine (.slott); creato se manca")
        ->required();
    aggiungi->add_option("--titolo", r.titolo,
                         "Il titolo della schedina: al massimo 20 caratteri, senza caratteri di "
                         "controllo");
    aggiungi->add_option("--numeri", r.numeri,
                         "Da 1 a 10 numeri diversi da 1 a 90, separati da "
                         "virgole, per esempio 12,34");
    aggiungi->add_option("--ruote", r.ruote,
                         "Le ruote separate da virgole (BARI, CAGLIARI, FIRENZE, "
                         "GENOVA, MILANO, NAPOLI, PALERMO, ROMA, TORINO, VENEZIA) "
                         "oppure TUTTE");
    aggiungi->add_option("--giocata", r.giocate,
                         "Una giocata con la sua puntata, per esempio Ambo=5 "
                         "(Estratto, Ambo, Terno, Quaterna, Cinquina); "
                         "ripetibile");
    return aggiungi;
}

CLI::App *addSystem(CLI::App &applicazione, RichiestaSystem &r)
{
    auto *comandoSistema = applicazione.add_subcommand(
        "system", "Scrive in fondo al file un sistema integrale o ridotto, tutto insieme o niente");
    comandoSistema->footer(
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
    comandoSistema->group("Comandi");
    italianHelp(*comandoSistema);
    comandoSistema
        ->add_option("FILE", r.percorso, "Il file delle schedine (.slott); creato se manca")
        ->required();
    comandoSistema->add_option("--numeri", r.numeri, "I numeri del sistema, diversi, da 1 a 90")
        ->required();
    comandoSistema->add_option("--classe", r.classe, "Quanti numeri per schedina, da 1 a 10")
        ->required();
    comandoSistema->add_option("--ruote", r.ruote, "Le ruote, come per add");
    comandoSistema->add_option("--giocata", r.giocate,
                               "Una giocata con la sua puntata, come per add (per esempio Ambo=1); "
                               "ripetibile");
    comandoSistema->add_option("--titolo", r.titolo,
                               "Il prefisso dei titoli, seguito da uno spazio e dal numero della "
                               "schedina (predefinito: Sistema); il titolo intero deve stare in 20 "
                               "caratteri");
    comandoSistema->add_option("--garanzia", r.garanzia, "ambo, terno, quaterna o cinquina");
    comandoSistema->add_option("--se", r.se, "Quanti numeri estratti, da 2 a 5, la garanzia copre");
    comandoSistema->add_option(
        "--tempo", r.tempo,
        "Secondi al massimo per cercare un sistema ridotto più piccolo, da 1 a "
        "600 (predefinito: 10)");
    return comandoSistema;
}

CLI::App *addImport(CLI::App &applicazione, std::string &percorso, std::string &csv)
{
    auto *importa = applicazione.add_subcommand(
        "import", "Aggiunge in fondo al file le righe di un CSV o di un foglio di calcolo (.ods, "
                  ".xlsx), tutte insieme o nessuna");
    importa->footer(
        "Il CSV è quello di export o quello di un foglio di calcolo: l'intestazione titolo,"
        "numeri,ruote,estratto,ambo,terno,quaterna,cinquina (maiuscole o minuscole, anche tra "
        "virgolette), separata da virgole, punti e virgola o tabulazioni; il testo in UTF-8, in "
        "UTF-16 con il suo segno iniziale, oppure in Windows-1252. Ogni riga passa i controlli "
        "di add, e il suo titolo non deve essere già nel file né in una riga precedente. Se una "
        "riga è rifiutata non si scrive nulla: le prime 30 righe rifiutate sono indicate come "
        "\"riga N: motivo\" (l'intestazione è la riga 1), le altre contate. Anche se il "
        "comando è interrotto il file resta com'era. Stampa una riga JSON: schedine, primo e "
        "ultimo record. Un foglio di calcolo .ods o .xlsx (riconosciuto dal contenuto, "
        "qualunque sia il nome) si legge dal suo primo foglio, con la stessa intestazione; il "
        "titolo deve esservi una cella di testo. Nel CSV un apostrofo davanti a un titolo che "
        "un foglio di calcolo convertirebbe si toglie (vedi export --formato csv-foglio). Un "
        "titolo che mostra la conversione di un foglio di calcolo è rifiutato: testo UTF-8 "
        "letto come Windows-1252 (\"CittÃ\" invece di \"Città\") o un errore come #NOME?.");
    importa->group("Comandi");
    italianHelp(*importa);
    importa->add_option("FILE", percorso, "Il file delle schedine (.slott); creato se manca")
        ->required();
    importa->add_option("CSV", csv, "Il file CSV, .ods o .xlsx da leggere")->required();
    return importa;
}

CLI::App *addPrint(CLI::App &applicazione, RichiestaPrint &r)
{
    auto *stampa = applicazione.add_subcommand(
        "print", "Scrive le schedine del file in un PDF A4 da portare in ricevitoria");
    stampa->footer(
        "Per ogni schedina, in ordine: titolo, numeri, ruote (TUTTE per tutte e dieci), ogni "
        "giocata con la sua puntata e il costo; in fondo il numero delle schedine e la puntata "
        "totale. Una schedina non è mai divisa tra due pagine; ogni pagina porta il nome del "
        "file e \"Pagina N di M\". Stampa una riga JSON: schedine, pagine, puntata_totale.");
    stampa->group("Comandi");
    italianHelp(*stampa);
    stampa->add_option("FILE", r.percorso, "Il file delle schedine (.slott)")->required();
    stampa->add_option("--pdf", r.pdf, "Il file PDF da scrivere")->required();
    stampa->add_option("--titolo", r.titoli,
                       "Solo la schedina con questo titolo (ripetibile); senza, tutte");
    return stampa;
}

struct RichiestaValutazione
{
    std::string percorso;
    std::string record;
    std::string estrazione;
};

CLI::App *addEvaluate(CLI::App &applicazione, RichiestaValutazione &r)
{
    auto *valuta = applicazione.add_subcommand(
        "evaluate", "Valuta una schedina su un'estrazione data e stampa annunci e vincite in JSON");
    valuta->group("Comandi");
    italianHelp(*valuta);
    valuta->add_option("FILE", r.percorso, "Il file delle schedine (.slott)")->required();
    valuta->add_option("RECORD", r.record, "Il numero della schedina nel file, da 1")->required();
    valuta
        ->add_option("--estrazione", r.estrazione,
                     "50 numeri separati da virgole: cinque per ruota, nell'ordine di estrazione, "
                     "da Bari a Venezia")
        ->required();
    return valuta;
}

CLI::App *addOdds(CLI::App &applicazione, std::string &percorso)
{
    auto *quote = applicazione.add_subcommand(
        "odds", "Per ogni schedina, quanto rende in media una giocata (valore atteso esatto)");
    quote->group("Comandi");
    italianHelp(*quote);
    quote->add_option("FILE", percorso, "Il file delle schedine (.slott)")->required();
    return quote;
}

CLI::App *addSimulate(CLI::App &applicazione, RichiestaSimulate &r)
{
    auto *simula = applicazione.add_subcommand(
        "simulate", "Gioca le schedine del file contro N estrazioni, oppure N partite intere");
    simula->footer(
        aiutoPartite() +
        "Le estrazioni seguono la regola del gioco (cinque numeri diversi per ruota) ma con un "
        "generatore proprio, più veloce: xoshiro256**, un flusso per ogni blocco di 1024 "
        "estrazioni o per ogni partita, derivato dal seme; così con lo stesso --seme i "
        "risultati sono gli stessi con qualunque numero di thread. Senza --seme il seme viene "
        "dall'orologio.");
    simula->group("Comandi");
    italianHelp(*simula);
    simula->add_option("FILE", r.percorso, "Il file delle schedine (.slott)")->required();
    simula->add_option("--estrazioni", r.estrazioni, "Quante estrazioni fare");
    simula->add_option("--partite", r.partite, "Quante partite intere giocare");
    simula->add_option("--seme", r.seme,
                       "Il seme del generatore: con lo stesso seme i risultati si ripetono");
    simula->add_option("--turni", r.turni,
                       "Con --partite: dopo quanti turni una partita è interrotta (1000)");
    simula->add_option("--thread", r.thread,
                       "Quanti thread usare (predefinito: tutte le CPU che il processo può "
                       "usare)");
    return simula;
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

ComandiDraws addDraws(CLI::App &applicazione, RichiestaDraws &r)
{
    ComandiDraws c{};
    c.draws = applicazione.add_subcommand(
        "draws", "L'archivio delle estrazioni vere del Lotto: import, add, "
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

CLI::App *addCheck(CLI::App &applicazione, RichiestaStorico &r)
{
    auto *controlla = applicazione.add_subcommand(
        "check", "Ho vinto? Le schedine del file contro le estrazioni vere, una riga per ogni "
                 "vincita");
    controlla->footer(
        "Per il giorno di --data (l'ultimo dell'archivio se manca) e i --colpi - 1 "
        "giorni di estrazione dopo, una riga JSON per ogni schedina, giorno e ruota che "
        "vince (data, record, titolo, ruota, annunci, vincita come la calcola "
        "evaluate), poi il totale: schedine, estrazioni, puntato (ogni schedina costa "
        "le sue puntate a ogni estrazione) e vinto. Una ruota non estratta quel giorno "
        "non vince nulla.");
    controlla->group("Comandi");
    italianHelp(*controlla);
    controlla->add_option("FILE", r.percorso, "Il file delle schedine (.slott)")->required();
    controlla->add_option("--data", r.data, "Il giorno: 2025-04-29, 2025/04/29 o 29/04/2025");
    controlla->add_option("--colpi", r.colpi, "Quante estrazioni da quel giorno in poi (1)");
    opzioneArchivio(*controlla, r.archivio);
    return controlla;
}

CLI::App *addHistory(CLI::App &applicazione, RichiestaStorico &r)
{
    auto *storico = applicazione.add_subcommand(
        "history", "Le schedine del file giocate a ogni estrazione vera di un periodo");
    storico->footer("Stampa una riga JSON: estrazioni, schedine, puntato, vinto, rendimento, "
                    "rendimento_atteso (quello di odds), vincita_massima (data, record, vincita), "
                    "senza_vincite_max (la serie più lunga di estrazioni senza vincite), secondi.");
    storico->group("Comandi");
    italianHelp(*storico);
    storico->add_option("FILE", r.percorso, "Il file delle schedine (.slott)")->required();
    storico->add_option("--dal", r.dal, "Il primo giorno (predefinito: il primo dell'archivio)");
    storico->add_option("--al", r.al, "L'ultimo giorno (predefinito: l'ultimo dell'archivio)");
    storico->add_option("--thread", r.thread,
                        "Quanti thread usare (predefinito: tutte le CPU che il processo può "
                        "usare)");
    opzioneArchivio(*storico, r.archivio);
    return storico;
}

CLI::App *addDelays(CLI::App &applicazione, RichiestaStorico &r)
{
    auto *ritardi = applicazione.add_subcommand("delays", "Il ritardo di ogni schedina del file");
    ritardi->footer(
        "Una riga JSON per schedina: record, titolo, ritardo (le estrazioni dall'ultima "
        "vincita, o tutte), ritardo_massimo, vincite; contate sulle estrazioni in cui "
        "almeno una delle sue ruote è stata estratta.");
    ritardi->group("Comandi");
    italianHelp(*ritardi);
    ritardi->add_option("FILE", r.percorso, "Il file delle schedine (.slott)")->required();
    ritardi->add_option("--al", r.al, "L'ultimo giorno (predefinito: l'ultimo dell'archivio)");
    opzioneArchivio(*ritardi, r.archivio);
    return ritardi;
}

CLI::App *addStats(CLI::App &applicazione, RichiestaStorico &r)
{
    auto *statistiche =
        applicazione.add_subcommand("stats", "Uscite e ritardi di ogni numero su ogni ruota");
    statistiche->footer(
        "Una riga JSON per ruota (Nazionale compresa) e numero: ruota, numero, uscite, "
        "ritardo, ritardo_massimo, contati sulle estrazioni di quella ruota.");
    statistiche->group("Comandi");
    italianHelp(*statistiche);
    statistiche->add_option("--ruota", r.ruota, "Una ruota sola: BARI ... VENEZIA, NAZIONALE");
    statistiche->add_option("--dal", r.dal, "Il primo giorno");
    statistiche->add_option("--al", r.al, "L'ultimo giorno");
    opzioneArchivio(*statistiche, r.archivio);
    return statistiche;
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
int controllaUscita(int esito, std::ostream &flusso, const UscitaControllata &standard)
{
    flusso.flush();
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
    CLI::App *dump, *export_, *add, *system, *import, *print, *evaluate, *odds, *simulate;
    ComandiDraws draws;
    CLI::App *check, *history, *delays, *stats;
    std::string dumpPath, exportPath, exportFormat = "csv", importPath, importCsv, oddsPath;
    RichiestaAdd add_;
    RichiestaPrint print_;
    RichiestaSystem system_;
    RichiestaValutazione evaluate_;
    RichiestaSimulate simulate_;
    RichiestaDraws draws_;
    RichiestaStorico check_, history_, delays_, stats_;
};

void aggiungiComandi(CLI::App &applicazione, Comandi &c)
{
    c.dump = addDump(applicazione, c.dumpPath);
    c.export_ = addExport(applicazione, c.exportPath, c.exportFormat);
    c.add = addAdd(applicazione, c.add_);
    c.system = addSystem(applicazione, c.system_);
    c.import = addImport(applicazione, c.importPath, c.importCsv);
    c.print = addPrint(applicazione, c.print_);
    c.evaluate = addEvaluate(applicazione, c.evaluate_);
    c.odds = addOdds(applicazione, c.oddsPath);
    c.simulate = addSimulate(applicazione, c.simulate_);
    c.draws = addDraws(applicazione, c.draws_);
    c.check = addCheck(applicazione, c.check_);
    c.history = addHistory(applicazione, c.history_);
    c.delays = addDelays(applicazione, c.delays_);
    c.stats = addStats(applicazione, c.stats_);
}

int esegui(const Comandi &c, std::ostream &flusso)
{
    if (c.dump->parsed())
        return eseguiDump(c.dumpPath, flusso, std::cerr);
    if (c.export_->parsed())
        return eseguiExport(c.exportPath, c.exportFormat, flusso, std::cerr);
    if (c.add->parsed())
        return eseguiAdd(c.add_, flusso, std::cerr);
    if (c.system->parsed())
        return eseguiSystem(c.system_, flusso, std::cerr);
    if (c.import->parsed())
        return eseguiImport(c.importPath, c.importCsv, flusso, std::cerr);
    if (c.print->parsed())
        return eseguiPrint(c.print_, flusso, std::cerr);
    if (c.evaluate->parsed())
        return eseguiEvaluate(c.evaluate_.percorso, c.evaluate_.record, c.evaluate_.estrazione,
                              flusso, std::cerr);
    if (c.odds->parsed())
        return eseguiOdds(c.oddsPath, flusso, std::cerr);
    if (c.simulate->parsed())
        return eseguiSimulate(c.simulate_, flusso, std::cerr);
    if (c.draws.import->parsed())
        return eseguiDrawsImport(c.draws_, flusso, std::cerr);
    if (c.draws.add->parsed())
        return eseguiDrawsAdd(c.draws_, flusso, std::cerr);
    if (c.draws.show->parsed())
        return eseguiDrawsShow(c.draws_, flusso, std::cerr);
    if (c.check->parsed())
        return eseguiCheck(c.check_, flusso, std::cerr);
    if (c.history->parsed())
        return eseguiHistory(c.history_, flusso, std::cerr);
    if (c.delays->parsed())
        return eseguiDelays(c.delays_, flusso, std::cerr);
    if (c.stats->parsed())
        return eseguiStats(c.stats_, flusso, std::cerr);
    return uscita::kRifiuto;
}

// The command line read, the help printed where the output goes, or the mistake said.
std::optional<int> leggiArgomenti(CLI::App &applicazione, int argc, char **argv,
                                  std::ostream &flusso)
{
    try {
        applicazione.parse(argc, argv);
        return std::nullopt;
    } catch (const CLI::CallForHelp &e) {
        return applicazione.exit(e, flusso, std::cerr);
    } catch (const CLI::CallForAllHelp &e) {
        return applicazione.exit(e, flusso, std::cerr);
    } catch (const CLI::ParseError &e) {
        std::cerr << "zaffirone-cli: argomenti non validi: " << motivoInItaliano(e) << '\n'
                  << "Uso: zaffirone-cli dump|export|add|system|import|print|evaluate|"
                     "odds|simulate|"
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

int avvia(int argc, char **argv, std::ostream &flusso)
{
    CLI::App applicazione("zaffirone-cli: strumenti per i file di schedine di Zaffirone",
                          "zaffirone-cli");
    italianHelp(applicazione);
    applicazione.require_subcommand(1);
    Comandi comandi;
    aggiungiComandi(applicazione, comandi);
    if (const auto uscito = leggiArgomenti(applicazione, argc, argv, flusso))
        return *uscito;
    return esegui(comandi, flusso);
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
    std::ostream flusso(&standard);
    int esito = uscita::kErrore;
    try {
        esito = avvia(argc, argv, flusso);
    } catch (const std::exception &e) {
        esito = inattesa(&e);
    } catch (...) {
        esito = inattesa(nullptr);
    }
    return controllaUscita(esito, flusso, standard);
}
