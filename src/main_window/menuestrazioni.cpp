#include "menuestrazioni.h"

#include "main_window/compagno.h"
#include "main_window/dialogoestrazione.h"
#include "main_window/finestraverifica.h"
#include "messaggi/catalogo.h"
#include "shared/dialogofile.h"
#include "shared/modulo.h"
#include "widgets/nelturno.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QMenuBar>
#include <QProgressDialog>

namespace {

constexpr const char *kTitolo = "Estrazioni";

// A day of the companion's output ("2025-04-29") as the game writes it (29/04/2025).
QString giorno(const QJsonValue &data)
{
    const QStringList parti = data.toString().split(QLatin1Char('-'));
    return parti.size() == 3 ? parti[2] + QLatin1Char('/') + parti[1] + QLatin1Char('/') + parti[0]
                             : QStringLiteral("-");
}

} // namespace

MenuEstrazioni::MenuEstrazioni(QMenuBar *barra, Partita &partita, Modulo &modulo,
                               DialogoFile &dialogo, Compagno &compagno, QWidget *finestra)
    : QObject(finestra), m_partita(partita), m_modulo(modulo), m_dialogo(dialogo),
      m_compagno(compagno), m_finestra(finestra)
{
    QMenu *menu = barra->addMenu(QStringLiteral("&Estrazioni"));
    menu->setObjectName(QStringLiteral("mnu_estrazioni"));
    const auto voce = [&](const char *nome, const QString &testo,
                          void (MenuEstrazioni::*azione)()) {
        QAction *a = menu->addAction(testo);
        a->setObjectName(QString::fromLatin1(nome));
        connect(a, &QAction::triggered, this, nelTurno(m_modulo, this, azione));
    };
    voce("mnu_estrazioni_importa", QStringLiteral("Importa l'archivio delle estrazioni..."),
         &MenuEstrazioni::importa);
    voce("mnu_estrazioni_aggiungi", QStringLiteral("Aggiungi un'estrazione..."),
         &MenuEstrazioni::aggiungi);
    voce("mnu_estrazioni_verifica", QStringLiteral("Verifica le schedine..."),
         &MenuEstrazioni::verifica);
}

MenuEstrazioni::~MenuEstrazioni() = default;

// The file chosen is read by the companion while a bar shows the game at work; what it read,
// or each line it refused and that nothing changed, is said at the end.
void MenuEstrazioni::importa()
{
    m_dialogo.impostaFiltro(kFiltroArchivio);
    m_dialogo.impostaNomeFile("");
    {
        const Presentatore::Attesa attesa(m_modulo.presentatore());
        m_dialogo.mostraApri();
    }
    const QString file = QString::fromStdString(m_dialogo.nomeFile());
    if (file.isEmpty())
        return;
    m_avanzamento = new QProgressDialog(QStringLiteral("Leggo l'archivio delle estrazioni..."),
                                        QStringLiteral("Annulla"), 0, 0, m_finestra);
    m_avanzamento->setObjectName(QStringLiteral("avanzamento_estrazioni"));
    m_avanzamento->setWindowTitle(QString::fromLatin1(kTitolo));
    m_avanzamento->setWindowModality(Qt::ApplicationModal);
    m_avanzamento->setMinimumDuration(0);
    m_avanzamento->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_avanzamento, &QProgressDialog::canceled, &m_compagno, &Compagno::ferma);
    m_avanzamento->show();
    m_compagno.esegui(
        {QStringLiteral("draws"), QStringLiteral("import"), file},
        [this](const Compagno::Risposta &r) {
            if (m_avanzamento)
                m_avanzamento->close();
            QString testo;
            if (!r.avviato)
                testo = Compagno::motivo(r) + QStringLiteral(": l'archivio non è cambiato.");
            else if (r.uscita == 0) {
                const QJsonObject o = QJsonDocument::fromJson(r.uscitaStandard).object();
                testo = QStringLiteral("Ho letto %1 righe. Ora l'archivio ha %2 "
                                       "estrazioni, dal %3 al %4; %5 sono nuove.\n"
                                       "Righe ripetute: %6. Date incomplete: %7.")
                            .arg(o[u"righe"].toInteger())
                            .arg(o[u"estrazioni"].toInteger())
                            .arg(giorno(o[u"dal"]), giorno(o[u"al"]))
                            .arg(o[u"nuove"].toInteger())
                            .arg(o[u"doppie"].toInteger())
                            .arg(o[u"incomplete"].toInteger());
            } else if (r.uscita < 0)
                testo = QStringLiteral("Lettura interrotta: l'archivio non è "
                                       "cambiato.");
            else
                testo = QStringLiteral("L'archivio non è cambiato:\n") + Compagno::motivo(r);
            m_modulo.presentatore().mostra(testo.toStdString(), kTitolo);
        });
}

void MenuEstrazioni::aggiungi()
{
    auto *dialogo = new DialogoEstrazione(m_compagno, m_finestra);
    connect(dialogo, &DialogoEstrazione::aggiunta, this, [this](const QString &data) {
        m_modulo.presentatore().mostra(
            ("L'estrazione del " + data + " è nell'archivio.").toStdString(), kTitolo);
    });
    dialogo->open();
}

void MenuEstrazioni::verifica()
{
    if (!m_verifica)
        m_verifica = new FinestraVerifica(m_partita, m_compagno, m_finestra);
    m_verifica->mostra();
}
