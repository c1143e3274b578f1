#include "dialogoestrazione.h"

#include "base/lotto.h"
#include "main_window/compagno.h"
#include "widgets/ritornotastiera.h"

#include <QDate>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The wheel's name as the companion's --ruota takes it, and as the dialog shows it.
QString nomeOpzione(std::size_t ruota)
{
    return ruota < lotto::kRuote ? QString::fromLatin1(lotto::kNomiRuote[ruota].data(),
                                                       qsizetype(lotto::kNomiRuote[ruota].size()))
                                 : QStringLiteral("NAZIONALE");
}

QString nomeMostrato(std::size_t ruota)
{
    return ruota < lotto::kRuote ? QString::fromStdString(lotto::nomeRuota(ruota))
                                 : QStringLiteral("Nazionale");
}

} // namespace

DialogoEstrazione::DialogoEstrazione(Compagno &compagno, QWidget *parent)
    : QDialog(parent), m_compagno(compagno)
{
    setObjectName(QStringLiteral("dialogo_estrazione"));
    setWindowTitle(QStringLiteral("Aggiungi un'estrazione"));
    setAttribute(Qt::WA_DeleteOnClose);
    RitornoTastiera::installa(this);
    auto *colonna = new QVBoxLayout(this);
    auto *griglia = new QGridLayout;
    colonna->addLayout(griglia);

    auto *etichettaData = new QLabel(QStringLiteral("&Data:"), this);
    m_data = new QDateEdit(QDate::currentDate(), this);
    m_data->setObjectName(QStringLiteral("data_estrazione"));
    m_data->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_data->setCalendarPopup(true);
    etichettaData->setBuddy(m_data);
    griglia->addWidget(etichettaData, 0, 0);
    griglia->addWidget(m_data, 0, 1, 1, 5);

    // Numbers only, two digits at most, from 1 to 90, as in the ticket's boxes.
    auto *validatore = new QIntValidator(1, 90, this);
    for (std::size_t w = 0; w < kRuote; ++w) {
        auto *nome = new QLabel(nomeMostrato(w), this);
        griglia->addWidget(nome, int(w) + 1, 0);
        for (std::size_t p = 0; p < 5; ++p) {
            auto *casella = new QLineEdit(this);
            casella->setObjectName(QStringLiteral("numero_%1_%2").arg(w).arg(p));
            casella->setValidator(validatore);
            casella->setMaxLength(2);
            casella->setAlignment(Qt::AlignCenter);
            casella->setAccessibleName(
                QStringLiteral("%1, numero %2").arg(nomeMostrato(w)).arg(p + 1));
            casella->setMinimumWidth(
                casella->fontMetrics().horizontalAdvance(QStringLiteral("888")) + 12);
            griglia->addWidget(casella, int(w) + 1, int(p) + 1);
            m_numeri[w][p] = casella;
        }
        nome->setBuddy(m_numeri[w][0]);
    }

    m_motivo = new QLabel(this);
    m_motivo->setObjectName(QStringLiteral("motivo_estrazione"));
    m_motivo->setWordWrap(true);
    m_motivo->setAccessibleName(QStringLiteral("Esito"));
    colonna->addWidget(m_motivo);

    auto *pulsanti = new QDialogButtonBox(this);
    m_aggiungi = pulsanti->addButton(QStringLiteral("Aggiungi"), QDialogButtonBox::AcceptRole);
    m_aggiungi->setObjectName(QStringLiteral("cmd_aggiungi_estrazione"));
    pulsanti->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cmd_annulla_estrazione"));
    connect(pulsanti, &QDialogButtonBox::accepted, this, &DialogoEstrazione::aggiungi);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);
    colonna->addWidget(pulsanti);
}

// Each wheel with a number in it goes to the companion as it is; what it refuses is said here.
void DialogoEstrazione::aggiungi()
{
    QStringList argomenti{QStringLiteral("draws"), QStringLiteral("add"),
                          m_data->date().toString(Qt::ISODate)};
    for (std::size_t w = 0; w < kRuote; ++w) {
        QStringList numeri;
        for (const QLineEdit *casella : m_numeri[w]) {
            if (!casella->text().isEmpty())
                numeri << casella->text();
        }
        if (!numeri.isEmpty())
            argomenti << QStringLiteral("--ruota") << nomeOpzione(w) + '=' + numeri.join(',');
    }
    if (argomenti.size() == 3) {
        m_motivo->setText(QStringLiteral("Scrivi i cinque numeri di almeno una ruota."));
        return;
    }
    m_aggiungi->setEnabled(false);
    m_motivo->setText(QString());
    const QString data = m_data->date().toString(QStringLiteral("dd/MM/yyyy"));
    m_compagno.esegui(argomenti, [this, vivo = QPointer(this), data](const Compagno::Risposta &r) {
        if (!vivo)
            return;
        m_aggiungi->setEnabled(true);
        if (r.avviato && r.uscita == 0) {
            Q_EMIT aggiunta(data);
            accept();
            return;
        }
        const QString motivo = Compagno::motivo(r);
        m_motivo->setText(motivo.isEmpty() ? QStringLiteral("L'estrazione non è stata aggiunta.")
                                           : motivo);
    });
}
