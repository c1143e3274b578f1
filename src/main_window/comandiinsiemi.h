#pragma once

#include "shared/currency.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>

class DialogoFile;
class ErroreFile;
class Form_gioco;
class IndiceInsieme;
class ListaSchede;
class Modulo;

// The "Lotto" page's commands on sets and lists: load and create a set, and move tickets to
// and from the play list, taking or giving back their stakes.
class ComandiInsiemi : public QObject
{
    Q_OBJECT

public:
    ComandiInsiemi(Form_gioco *window, Modulo &modulo, DialogoFile &dialogo);

    void cmd_carica_Click();
    void cmd_newinsie_Click();
    void cmd_destra_Click();
    void cmd_all_destra_Click();
    void cmd_sinistra_Click();
    void cmd_all_sinistra_Click();

private:
    enum class Verso
    {
        VersoGioco,
        VersoEsistenti
    };

    void sposta(Verso verso, bool tutte);
    bool rimborsa();
    // The open set as it is now; a set that cannot be read is reported and gives nothing.
    std::shared_ptr<const IndiceInsieme> leggiInsieme();
    bool caricaTitoli(const std::string &percorso);
    std::optional<std::string> scegliNuovoInsieme();
    void apriInsieme(const std::string &percorso, const QStringList &titoli);
    bool prenota(Currency somma, bool togli);
    void mostraErrore(const ErroreFile &errore);
    void mostraErrore(const QString &testo);

    Form_gioco *m_window;
    Modulo &m_modulo;
    DialogoFile &m_dialogo;
    ListaSchede *m_esistenti;
    ListaSchede *m_dagioca;
};
