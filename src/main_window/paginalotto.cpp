#include "paginalotto.h"

#include "main_window/listaschede.h"
#include "main_window/pulsanteacapo.h"
#include "widgets/immagine.h"
#include "widgets/stilegioco.h"
#include "widgets/testonumero.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QPushButton>

PaginaLotto::PaginaLotto(ModelloSchede *esistenti, ModelloSchede *dagioca, QWidget *genitore)
    : QGroupBox(QStringLiteral("Lotto"), genitore)
{
    setObjectName(QStringLiteral("frmLotto_2"));
    setFont(stile::comic());
    resize(twips(10215), twips(6615));
    auto *decorazione = new Immagine(QStringLiteral(":/immagini/decorazione_lotto.svg"),
                                     QStringLiteral("Decorazione della pagina Lotto"), this);
    decorazione->setObjectName(QStringLiteral("Image3"));
    decorazione->setGeometry(stile::sottoIlTitolo(this));

    QPushButton *scheda = pulsante("cmd_scheda", "COMPILA NUOVA SCHEDA", 4560, 480, 1695, 495);
    QPushButton *carica = pulsante("cmd_carica", "CARICA INSIEME DI SCHEDE", 6360, 480, 1695, 495);
    QPushButton *nuovo = pulsante("cmd_newinsie", "NUOVO INSIEME DI SCHEDE", 8160, 480, 1695, 495);
    connect(scheda, &QPushButton::clicked, this, &PaginaLotto::nuovaSchedaChiesta);
    connect(carica, &QPushButton::clicked, this, &PaginaLotto::caricaChiesto);
    connect(nuovo, &QPushButton::clicked, this, &PaginaLotto::nuovoInsiemeChiesto);
    m_file =
        stile::etichetta(QStringLiteral("lbl_filelottoschede"), QStringLiteral("File Caricato:"),
                         360, 1080, stile::kGialloPallido, this);
    m_esistenti = lista("lst_esistenti", "lbl_Esistenti", "Schede Esistenti", 5880, esistenti,
                        Lista::Esistenti);
    m_dagioca =
        lista("lst_dagioca", "lbl_giocate", "Schede Giocate", 8280, dagioca, Lista::DaGioca);
    const QList<QWidget *> frecce{
        freccia("cmd_all_destra", ">>", 2160, Freccia::TutteAGioca, "Gioca tutte le schedine"),
        freccia("cmd_destra", ">", 2520, Freccia::AGioca, "Gioca le schedine selezionate"),
        freccia("cmd_sinistra", "<", 5040, Freccia::AEsistenti,
                "Togli le schedine selezionate dal gioco"),
        freccia("cmd_all_sinistra", "<<", 5400, Freccia::TutteAEsistenti,
                "Togli tutte le schedine dal gioco")};
    // Tab goes through the page as it reads: the buttons, the tickets not chosen, the arrows
    // from top to bottom, the tickets to play.
    const QList<QWidget *> ordine =
        QList<QWidget *>{scheda, carica, nuovo, m_esistenti} + frecce + QList<QWidget *>{m_dagioca};
    for (qsizetype i = 1; i < ordine.size(); ++i)
        setTabOrder(ordine[i - 1], ordine[i]);
    stile::pulsantiConInvio(this);

    m_messaggio =
        stile::etichetta(QStringLiteral("lbl_messaggio"), QString::fromUtf8(kMessaggioIniziale),
                         360, 6120, stile::kGialloPallido, this);
}

QPushButton *PaginaLotto::pulsante(const char *nome, const char *didascalia, int sinistra, int alto,
                                   int larghezza, int altezza)
{
    auto *bottone = new PulsanteACapo(QString::fromUtf8(didascalia), this);
    bottone->setObjectName(QString::fromLatin1(nome));
    bottone->setFont(stile::comic(8));
    bottone->setGeometry(twipsRect(sinistra, alto, larghezza, altezza));
    return bottone;
}

// The arrows between the lists, in the desktop's own face; a screen reader says what each does,
// not its symbols.
QPushButton *PaginaLotto::freccia(const char *nome, const char *didascalia, int alto, Freccia verso,
                                  const char *descrizione)
{
    QPushButton *bottone = pulsante(nome, didascalia, 7680, alto, 495, 375);
    bottone->setFont(QFont());
    bottone->setAccessibleName(QString::fromUtf8(descrizione));
    connect(bottone, &QPushButton::clicked, this, [this, verso] { Q_EMIT frecciaPremuta(verso); });
    return bottone;
}

ListaSchede *PaginaLotto::lista(const char *nome, const char *nomeEtichetta, const char *didascalia,
                                int sinistra, ModelloSchede *modello, Lista quale)
{
    const QString titolo = QString::fromUtf8(didascalia);
    QLabel *etichetta = stile::etichetta(QString::fromLatin1(nomeEtichetta), titolo, sinistra, 1800,
                                         stile::kGialloPallido, this);
    auto *elenco = new ListaSchede(QString::fromLatin1(nome), modello, this);
    elenco->setGeometry(twipsRect(sinistra, 2160, 1695, 3570));
    elenco->setAccessibleName(titolo);
    etichetta->setBuddy(elenco);
    connect(elenco, &ListaSchede::DblClick, this, [this, quale] { Q_EMIT schedinaChiesta(quale); });
    return elenco;
}

void PaginaLotto::mostra(const std::optional<std::string> &insieme)
{
    stile::scrivi(m_file, insieme
                              ? QString::fromUtf8(kFileCaricato) + QString::fromStdString(*insieme)
                              : QString::fromUtf8(kNessunFile));
}

void PaginaLotto::suggerisci(const char *messaggio)
{
    stile::scrivi(m_messaggio, QString::fromUtf8(messaggio));
}

const ListaSchede *PaginaLotto::vista(Lista lista) const
{
    return lista == Lista::Esistenti ? m_esistenti : m_dagioca;
}

QList<int> PaginaLotto::righeSelezionate(Lista lista) const
{
    return vista(lista)->righeSelezionate();
}

QString PaginaLotto::voceCorrente(Lista lista) const
{
    return vista(lista)->voceCorrente();
}
