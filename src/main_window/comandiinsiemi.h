#pragma once

#include "base/currency.h"
#include "main_window/modelloschede.h"
#include "main_window/paginalotto.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>

class CacheInsieme;
class ErroreFile;
class DialogoFile;
class IndiceInsieme;
class Modulo;
class PaginaLotto;

// The "Lotto" page's commands on sets and lists: load and create a set, and move tickets to
// and from the play list, taking or giving back their stakes.
class ComandiInsiemi : public QObject
{
    Q_OBJECT

public:
    // The commands of the page given, on the two lists' entries.
    ComandiInsiemi(PaginaLotto *lotto, ModelloSchede *esistenti, ModelloSchede *dagioca,
                   Modulo &modulo, DialogoFile &dialogo, CacheInsieme &insieme, QObject *parent);

    void cmd_carica_Click();
    void cmd_newinsie_Click();
    void cmd_destra_Click();
    void cmd_all_destra_Click();
    void cmd_sinistra_Click();
    void cmd_all_sinistra_Click();

Q_SIGNALS:
    // The points, the stake in play or the game's result changed and must be shown.
    void statoCambiato();

private:
    enum class Verso
    {
        VersoGioco,
        VersoEsistenti
    };

    void freccia(PaginaLotto::Freccia freccia);
    void sposta(Verso verso, bool tutte);
    bool rimborsa(bool &definitivo);
    void restituisciAddebiti(const QList<int> &righe, const ErroreFile &errore);
    // The open set as it is now; a set that cannot be read is reported and gives nothing.
    bool caricaTitoli(const std::string &percorso);
    std::optional<std::string> scegliNuovoInsieme();
    void apriInsieme(const std::string &percorso, ModelloSchede::Voci titoli);
    bool prenota(Currency somma, bool togli);
    void mostraErrore(const QString &testo);

    PaginaLotto *m_lotto;
    ModelloSchede *m_esistenti;
    ModelloSchede *m_dagioca;
    Modulo &m_modulo;
    DialogoFile &m_dialogo;
    CacheInsieme &m_insieme;
};
