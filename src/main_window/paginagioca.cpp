#include "paginagioca.h"

#include "base/lotto.h"
#include "engine/estrazione.h"
#include "widgets/immagine.h"
#include "widgets/stilegioco.h"
#include "widgets/testonumero.h"
#include "widgets/twips.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr const char *kPosizioni[] = {"primo", "secondo", "terzo", "quarto", "quinto"};

} // namespace

PaginaGioca::PaginaGioca(QWidget *genitore) : QGroupBox(QStringLiteral("Gioca"), genitore)
{
    setObjectName(QStringLiteral("frmLotto_1"));
    setFont(stile::comic());
    resize(twips(10215), twips(6615));
    auto *decorazione = new Immagine(QStringLiteral(":/immagini/decorazione_gioca.svg"),
                                     QStringLiteral("Decorazione della pagina Gioca"), this);
    decorazione->setObjectName(QStringLiteral("Image1"));
    decorazione->setGeometry(stile::sottoIlTitolo(this));

    m_gioca = new QPushButton(this);
    m_gioca->setObjectName(QStringLiteral("cmd_gioca"));
    m_gioca->setGeometry(twipsRect(840, 960, 1455, 615));
    // The picture is drawn the first time the button shows, not while the game starts.
    auto *immagine = new Immagine(QStringLiteral(":/immagini/gioca.svg"), QString(), m_gioca);
    immagine->setGeometry(m_gioca->rect().adjusted(2, 2, -2, -2));
    m_gioca->setAccessibleName(QStringLiteral("Gioca le schedine scelte"));
    m_gioca->setAccessibleDescription(
        QStringLiteral("Estrae i numeri su tutte le ruote e gioca le schedine da giocare"));
    connect(m_gioca, &QPushButton::clicked, this, &PaginaGioca::giocaPremuto);
    creaEtichette();
    creaTabellone();
    creaFonte();
    stile::pulsantiConInvio(this);
}

// Each value beside its caption; a screen reader hears the value by its caption's name.
void PaginaGioca::creaEtichette()
{
    const auto coppia = [this](const char *nome, const QString &didascalia, int sinistra, int alto,
                               const char *nomeValore, const QString &vuoto, int sinistraValore,
                               int altoValore) {
        QLabel *etichetta = stile::etichetta(QString::fromLatin1(nome), didascalia, sinistra, alto,
                                             stile::kGiallo, this);
        QLabel *valore = stile::etichetta(QString::fromLatin1(nomeValore), vuoto, sinistraValore,
                                          altoValore, stile::kGiallo, this);
        etichetta->setBuddy(valore);
        m_didascalie[valore] = didascalia.trimmed();
        return valore;
    };
    m_punti = coppia("Label2", QStringLiteral("Punti:"), 6000, 360, "lbl_punti",
                     QStringLiteral("_____"), 6000, 1080);
    m_somma = coppia("Label3", QStringLiteral("Posta in gioco:"), 6000, 2280, "lbl_somma",
                     QStringLiteral("_____"), 6000, 3120);
    m_situazione = coppia("lbl4", QStringLiteral("La tua situazione:"), 6000, 4200,
                          "lbl_situazione", QStringLiteral("_______     "), 7320, 4680);
    m_vincita = coppia("Label4", QStringLiteral("Hai vinto:") + QString(13, u' '), 6000, 5400,
                       "lbl_vincita", QStringLiteral("_______"), 7320, 5880);
}

void PaginaGioca::mostra(const Partita::Conti &conti, Currency punti)
{
    stile::scrivi(m_punti, testoNumero(punti));
    stile::scrivi(m_somma, testoNumero(conti.posta));
    stile::scrivi(m_situazione, testoNumero(conti.situazione));
    stile::scrivi(m_vincita, testoNumero(conti.vincita));
    for (QLabel *valore : {m_punti, m_somma, m_situazione, m_vincita})
        valore->setAccessibleName(m_didascalie.value(valore) + QLatin1Char(' ') + valore->text());
}

void PaginaGioca::mostraEstrazione(const Estrazione &estrazione,
                                   const std::optional<std::string> &data)
{
    for (std::size_t i = 0; i < m_numeri.size(); ++i)
        scriviNumero(i, QString());
    stile::scrivi(m_dataEstrazione, data ? QString::fromStdString(*data) : QString());
    m_dataEstrazione->setAccessibleName(
        data ? QStringLiteral("Estrazione del ") + QString::fromStdString(*data) : QString());
    m_dataEstrazione->move((m_gioca->geometry().center().x() - m_dataEstrazione->width() / 2),
                           m_dataEstrazione->y());
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        // A wheel a real day left undrawn stays blank.
        if (!estrazione.estratta(w))
            continue;
        for (std::size_t p = 0; p < Estrazione::kPosizioni; ++p)
            scriviNumero(w * 5 + p, QString::number(estrazione.numero(w, p)));
    }
}

// Beside the play button: where the draws come from, and from which day when they are real.
void PaginaGioca::creaFonte()
{
    // Read after the button: "GIOCA a caso", "GIOCA vere, dal 29/04/2025".
    m_fonte = new QComboBox(this);
    m_fonte->setObjectName(QStringLiteral("cmb_fonte"));
    m_fonte->addItems({QStringLiteral("a caso"), QStringLiteral("vere, dal")});
    m_fonte->setGeometry(twipsRect(2880, 1470, 1350, 330));
    m_fonte->setAccessibleName(QStringLiteral("Estrazioni"));
    m_fonte->view()->setAccessibleName(QStringLiteral("Estrazioni"));
    m_dal = new QDateEdit(QDate::currentDate(), this);
    m_dal->setObjectName(QStringLiteral("txt_dal"));
    m_dal->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_dal->setCalendarPopup(true);
    m_dal->setGeometry(twipsRect(4320, 1470, 1620, 330));
    m_dal->setAccessibleName(QStringLiteral("Giorno della prima estrazione vera"));
    for (QWidget *w : std::initializer_list<QWidget *>{m_fonte, m_dal})
        w->setFont(stile::sansSerif());
    // Under the button, the day of a real draw on the board.
    m_dataEstrazione = stile::etichetta(QStringLiteral("lbl_data_estrazione"), QString(), 840, 1680,
                                        stile::kGiallo, this);
    connect(m_fonte, &QComboBox::activated, this, &PaginaGioca::sceltaFonte);
    connect(m_dal, &QDateEdit::editingFinished, this, [this] {
        if (m_fonte->currentIndex() == 1)
            sceltaFonte();
    });
}

// The day is read only for real draws; it stays open to be set beforehand.
void PaginaGioca::sceltaFonte()
{
    const bool vere = m_fonte->currentIndex() == 1;
    Q_EMIT fonteScelta(vere ? std::optional(m_dal->date()) : std::nullopt);
}

void PaginaGioca::mostraFonte(bool vere)
{
    m_fonte->setCurrentIndex(vere ? 1 : 0);
}

void PaginaGioca::attendiFonte(bool attendi)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_gioca, m_fonte, m_dal})
        w->setEnabled(!attendi);
}

void PaginaGioca::creaTabellone()
{
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        const QString nome = QString::fromLatin1(lotto::kNomiRuote[w].data());
        QLabel *ruota = stile::etichetta(QStringLiteral("lbl") + nome.toLower(), nome, 0,
                                         1920 + 360 * int(w), stile::kGiallo, this);
        ruota->move(twips(1230) - ruota->width(), ruota->y());
        for (std::size_t p = 0; p < 5; ++p) {
            QLabel *numero = new QLabel(this);
            numero->setObjectName(QStringLiteral("lbl_numeri_%1").arg(w * 5 + p));
            numero->setFont(stile::comic());
            numero->setStyleSheet(QString::fromLatin1(stile::kGiallo));
            numero->setAlignment(Qt::AlignCenter);
            numero->setGeometry(twips(1740 + 840 * int(p)), twips(1920 + 360 * int(w)), twips(300),
                                twips(285));
            m_numeri[w * 5 + p] = numero;
            scriviNumero(w * 5 + p, QString());
        }
    }
}

// A screen reader hears the wheel, the position and the number drawn there, if any; it is told
// of every change.
void PaginaGioca::scriviNumero(std::size_t indice, const QString &numero)
{
    QLabel *etichetta = m_numeri[indice];
    etichetta->setText(numero);
    etichetta->setAccessibleName(
        QString::fromStdString(lotto::nomeRuota(indice / 5)) +
        QStringLiteral(", %1 numero estratto").arg(QString::fromLatin1(kPosizioni[indice % 5])) +
        (numero.isEmpty() ? QString() : QStringLiteral(": ") + numero));
}
