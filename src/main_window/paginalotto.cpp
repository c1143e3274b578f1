#include "paginalotto.h"

#include "main_window/listaschede.h"
#include "main_window/pulsanteacapo.h"
#include "widgets/immagine.h"
#include "widgets/stilegioco.h"
#include "widgets/testonumero.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QPushButton>

PaginaLotto::PaginaLotto(ModelloSchede *esistenti, ModelloSchede *dagioca, QWidget *parent)
    : QGroupBox(QStringLiteral("Lotto"), parent)
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
    const QList<QWidget *> arrows{
        freccia("cmd_all_destra", ">>", 2160, Freccia::TutteAGioca, "Gioca tutte le schedine"),
        freccia("cmd_destra", ">", 2520, Freccia::AGioca, "Gioca le schedine selezionate"),
        freccia("cmd_sinistra", "<", 5040, Freccia::AEsistenti,
                "Togli le schedine selezionate dal gioco"),
        freccia("cmd_all_sinistra", "<<", 5400, Freccia::TutteAEsistenti,
                "Togli tutte le schedine dal gioco")};
    // Tab goes through the page as it reads: the buttons, the tickets not chosen, the arrows
    // from top to bottom, the tickets to play.
    const QList<QWidget *> order =
        QList<QWidget *>{scheda, carica, nuovo, m_esistenti} + arrows + QList<QWidget *>{m_dagioca};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    stile::pulsantiConInvio(this);

    m_messaggio =
        stile::etichetta(QStringLiteral("lbl_messaggio"), QString::fromUtf8(kMessaggioIniziale),
                         360, 6120, stile::kGialloPallido, this);
}

QPushButton *PaginaLotto::pulsante(const char *name, const char *caption, int left, int top,
                                   int width, int height)
{
    auto *button = new PulsanteACapo(QString::fromUtf8(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(stile::comic(8));
    button->setGeometry(twipsRect(left, top, width, height));
    return button;
}

// The arrows between the lists, in the desktop's own face.
QPushButton *PaginaLotto::freccia(const char *name, const char *caption, int top, Freccia verso,
                                  const char *description)
{
    QPushButton *arrow = pulsante(name, caption, 7680, top, 495, 375);
    arrow->setFont(QFont());
    arrow->setAccessibleDescription(QString::fromUtf8(description));
    connect(arrow, &QPushButton::clicked, this, [this, verso] { Q_EMIT frecciaPremuta(verso); });
    return arrow;
}

ListaSchede *PaginaLotto::lista(const char *name, const char *labelName, const char *caption,
                                int left, ModelloSchede *modello, Lista quale)
{
    const QString title = QString::fromUtf8(caption);
    QLabel *label = stile::etichetta(QString::fromLatin1(labelName), title, left, 1800,
                                     stile::kGialloPallido, this);
    auto *list = new ListaSchede(QString::fromLatin1(name), modello, this);
    list->setGeometry(twipsRect(left, 2160, 1695, 3570));
    list->setAccessibleName(title);
    label->setBuddy(list);
    connect(list, &ListaSchede::DblClick, this, [this, quale] { Q_EMIT schedinaChiesta(quale); });
    return list;
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
