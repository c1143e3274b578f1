#pragma once

#include <QGroupBox>

#include <optional>
#include <string>

class ListaSchede;
class ModelloSchede;
class QLabel;
class QPushButton;

// The "Lotto" page: ticket sets, the two selection lists and the hint line. The lists show the
// entries their models hold; what the player asks for is told by signals.
class PaginaLotto : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr const char *kMessaggioIniziale =
        "Per iniziare a giocare carica un insieme di schedine oppure creane un insieme nuovo";
    static constexpr const char *kMessaggioDoppioClic =
        "Per visualizzare la schedina fare doppio clic sulla schedina";
    // Followed by the set's path once a set is loaded.
    static constexpr const char *kFileCaricato = "File caricato : ";
    static constexpr const char *kNessunFile = "Nessun file caricato";

    enum class Lista
    {
        Esistenti, // lst_esistenti, the tickets not chosen
        DaGioca    // lst_dagioca, the tickets chosen for play
    };
    enum class Freccia
    {
        TutteAGioca, // ">>"
        AGioca,      // ">"
        AEsistenti,  // "<"
        TutteAEsistenti
    };

    PaginaLotto(ModelloSchede *esistenti, ModelloSchede *dagioca, QWidget *genitore);

    // The set loaded, or that none is.
    void mostra(const std::optional<std::string> &insieme);
    // The hint line: how to begin, or how to look at a ticket.
    void suggerisci(const char *messaggio);
    // The selected rows of a list, in list order.
    QList<int> righeSelezionate(Lista lista) const;
    // The text of a list's current entry; empty when it has none.
    QString voceCorrente(Lista lista) const;

Q_SIGNALS:
    void nuovaSchedaChiesta();  // "COMPILA NUOVA SCHEDA"
    void caricaChiesto();       // "CARICA INSIEME DI SCHEDE"
    void nuovoInsiemeChiesto(); // "NUOVO INSIEME DI SCHEDE"
    void frecciaPremuta(PaginaLotto::Freccia freccia);
    // A double click on a list, or Enter on its current entry.
    void schedinaChiesta(PaginaLotto::Lista lista);

private:
    QPushButton *pulsante(const char *nome, const char *didascalia, int sinistra, int alto,
                          int larghezza, int altezza);
    QPushButton *freccia(const char *nome, const char *didascalia, int alto, Freccia verso,
                         const char *descrizione);
    ListaSchede *lista(const char *nome, const char *nomeEtichetta, const char *didascalia,
                       int sinistra, ModelloSchede *modello, Lista quale);
    const ListaSchede *vista(Lista lista) const;

    QLabel *m_file = nullptr;      // lbl_filelottoschede
    QLabel *m_messaggio = nullptr; // lbl_messaggio
    ListaSchede *m_esistenti = nullptr;
    ListaSchede *m_dagioca = nullptr;
};
