// Start-up cost of the game against a bare Qt window: each program is started as a fresh process,
// offscreen, with no audio server reachable and an empty home folder, and ends itself after the
// first frame of its main window. The CPU time (user + system) and the peak resident memory of
// every process come from wait4; the two programs take turns, and the table gives the medians.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

namespace fs = std::filesystem;

struct Misura
{
    double cpuMs;
    double piccoMiB;
    double realeMs;
};

struct Programma
{
    std::string nome;
    std::string eseguibile;
    std::vector<Misura> misure;
};

// The run's temporary folder, removed on the way out whatever happens.
fs::path cartellaBase;

[[noreturn]] void fallisci(const std::string &messaggio)
{
    std::fprintf(stderr, "bench_avvio: %s\n", messaggio.c_str());
    if (!cartellaBase.empty()) {
        std::error_code ignorato;
        fs::remove_all(cartellaBase, ignorato);
    }
    std::exit(1);
}

bool variabileNostra(const std::string &voce)
{
    static const char *const kNostre[] = {
        "QT_QPA_PLATFORM=", "PULSE_SERVER=",   "XDG_RUNTIME_DIR=", "HOME=",
        "XDG_CONFIG_HOME=", "XDG_CACHE_HOME=", "XDG_DATA_HOME=",   "XDG_STATE_HOME="};
    return std::any_of(std::begin(kNostre), std::end(kNostre),
                       [&](const char *nome) { return voce.rfind(nome, 0) == 0; });
}

// One run: a fresh empty home and runtime folder, offscreen, no audio server. Returns what the
// program printed on its standard output.
std::string lancia(const fs::path &cartella, const std::string &eseguibile,
                   const std::vector<std::string> &argomenti, Misura &misura)
{
    fs::remove_all(cartella);
    const fs::path home = cartella / "home";
    const fs::path runtime = cartella / "runtime";
    fs::create_directories(home);
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    const fs::path errori = cartella / "stderr";

    std::vector<std::string> ambiente;
    for (char **voce = environ; *voce; ++voce)
        if (!variabileNostra(*voce))
            ambiente.emplace_back(*voce);
    ambiente.emplace_back("QT_QPA_PLATFORM=offscreen");
    ambiente.emplace_back("PULSE_SERVER=unix:/nonexistent");
    ambiente.emplace_back("XDG_RUNTIME_DIR=" + runtime.string());
    ambiente.emplace_back("HOME=" + home.string());
    std::vector<char *> envp;
    for (std::string &voce : ambiente)
        envp.push_back(voce.data());
    envp.push_back(nullptr);
    std::vector<std::string> parole{eseguibile};
    parole.insert(parole.end(), argomenti.begin(), argomenti.end());
    std::vector<char *> argv;
    for (std::string &parola : parole)
        argv.push_back(parola.data());
    argv.push_back(nullptr);

    int tubo[2];
    if (::pipe(tubo) != 0)
        fallisci("pipe: " + std::string(std::strerror(errno)));
    const auto inizio = std::chrono::steady_clock::now();
    const pid_t figlio = ::fork();
    if (figlio < 0)
        fallisci("fork: " + std::string(std::strerror(errno)));
    if (figlio == 0) {
        const int err = ::open(errori.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(tubo[1], STDOUT_FILENO);
        if (err >= 0)
            ::dup2(err, STDERR_FILENO);
        ::close(tubo[0]);
        ::close(tubo[1]);
        ::chdir(home.c_str());
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(tubo[1]);
    std::string uscita;
    char blocco[256];
    ssize_t letti;
    while ((letti = ::read(tubo[0], blocco, sizeof blocco)) != 0) {
        if (letti < 0 && errno == EINTR)
            continue;
        if (letti < 0)
            break;
        uscita.append(blocco, std::size_t(letti));
    }
    ::close(tubo[0]);
    int stato = 0;
    rusage uso{};
    while (::wait4(figlio, &stato, 0, &uso) < 0)
        if (errno != EINTR)
            fallisci("wait4: " + std::string(std::strerror(errno)));
    const auto fine = std::chrono::steady_clock::now();

    if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0 || uscita.rfind("finestra ", 0) != 0) {
        std::ifstream in(errori);
        std::stringstream testo;
        testo << in.rdbuf();
        fallisci(eseguibile + " showed no frame (status " + std::to_string(stato) + "):\n" +
                 testo.str());
    }
    const auto ms = [](const timeval &t) {
        return double(t.tv_sec) * 1e3 + t.tv_usec / 1e3;
    };
    misura.cpuMs = ms(uso.ru_utime) + ms(uso.ru_stime);
    misura.piccoMiB = double(uso.ru_maxrss) / 1024.0; // kibibytes on Linux
    misura.realeMs = std::chrono::duration<double, std::milli>(fine - inizio).count();
    fs::remove_all(cartella);
    return uscita;
}

double mediana(std::vector<double> valori)
{
    std::sort(valori.begin(), valori.end());
    const std::size_t n = valori.size();
    return n % 2 ? valori[n / 2] : (valori[n / 2 - 1] + valori[n / 2]) / 2;
}

struct Riassunto
{
    double mediana, minimo, massimo;
};

Riassunto riassumi(const std::vector<Misura> &misure, double Misura::*campo)
{
    std::vector<double> valori;
    for (const Misura &m : misure)
        valori.push_back(m.*campo);
    const auto [minimo, massimo] = std::minmax_element(valori.begin(), valori.end());
    return {mediana(valori), *minimo, *massimo};
}

std::string cella(const Riassunto &r, int decimali)
{
    char testo[64];
    std::snprintf(testo, sizeof testo, "%.*f (%.*f-%.*f)", decimali, r.mediana, decimali, r.minimo,
                  decimali, r.massimo);
    return testo;
}

} // namespace

int main(int argc, char **argv)
{
    const char *kUso = "usage: bench_avvio [--runs N] [--compare OTHER_AVVIO_GIOCO]";
    int volte = 15;
    std::string confronto;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            volte = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--compare") == 0 && i + 1 < argc)
            confronto = fs::absolute(argv[++i]).string();
        else
            fallisci(kUso);
    }
    if (volte < 1)
        fallisci("--runs needs a positive count");

    char modello[] = "/tmp/zaffirone-avvio-XXXXXX";
    if (!::mkdtemp(modello))
        fallisci("mkdtemp: " + std::string(std::strerror(errno)));
    cartellaBase = modello;
    const fs::path cartella = cartellaBase / "run";

    // The game, another build of its launcher if one is given (the same game before a change,
    // say), and the bare window last.
    std::vector<Programma> programmi{{"game", ZAFFIRONE_AVVIO_GIOCO, {}}};
    if (!confronto.empty())
        programmi.push_back({"game (--compare)", confronto, {}});
    programmi.push_back({"bare QMainWindow", ZAFFIRONE_AVVIO_VUOTA, {}});
    const Programma &vuota = programmi.back();

    // A first run of each, not counted, warms the file cache; the game's tells the window size.
    Misura scarto;
    std::string dimensione = lancia(cartella, programmi[0].eseguibile, {}, scarto);
    dimensione = dimensione.substr(std::strlen("finestra "));
    dimensione.erase(dimensione.find_last_not_of("\n") + 1);
    const auto argomenti = [&](const Programma &p) {
        return &p == &vuota ? std::vector<std::string>{dimensione} : std::vector<std::string>{};
    };
    for (std::size_t k = 1; k < programmi.size(); ++k)
        lancia(cartella, programmi[k].eseguibile, argomenti(programmi[k]), scarto);

    for (int i = 0; i < volte; ++i) {
        // The programs take turns, and each round starts with the next one, so none is always
        // the one that follows another.
        for (std::size_t k = 0; k < programmi.size(); ++k) {
            Programma &p = programmi[(k + std::size_t(i)) % programmi.size()];
            Misura m{};
            lancia(cartella, p.eseguibile, argomenti(p), m);
            p.misure.push_back(m);
        }
    }
    fs::remove_all(cartellaBase);

    std::printf("Start-up to the first frame of a %s window, offscreen, no audio server, "
                "empty home; %d runs each, interleaved\n",
                dimensione.c_str(), volte);
    std::printf("medians (min-max)\n\n");
    std::printf("%-24s %-24s %-24s %s\n", "program", "CPU ms (user+sys)", "peak RSS MiB",
                "wall ms");
    for (const Programma &p : programmi)
        std::printf("%-24s %-24s %-24s %s\n", p.nome.c_str(),
                    cella(riassumi(p.misure, &Misura::cpuMs), 1).c_str(),
                    cella(riassumi(p.misure, &Misura::piccoMiB), 1).c_str(),
                    cella(riassumi(p.misure, &Misura::realeMs), 1).c_str());
    for (std::size_t k = 0; k + 1 < programmi.size(); ++k) {
        const auto rapporto = [&](double Misura::*campo) {
            char testo[16];
            std::snprintf(testo, sizeof testo, "%.2fx",
                          riassumi(programmi[k].misure, campo).mediana /
                              riassumi(vuota.misure, campo).mediana);
            return std::string(testo);
        };
        const std::string nome = programmi[k].nome + " / bare";
        std::printf("%-24s %-24s %-24s %s\n", nome.c_str(), rapporto(&Misura::cpuMs).c_str(),
                    rapporto(&Misura::piccoMiB).c_str(), rapporto(&Misura::realeMs).c_str());
    }
    return 0;
}
