#include "compagno.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>

QString Compagno::accantoAlGioco()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("zaffirone-cli"));
}

Compagno::Compagno(QString programma, QString archivio, QObject *parent)
    : QObject(parent), m_programma(std::move(programma)), m_archivio(std::move(archivio))
{}

void Compagno::esegui(QStringList argomenti, std::function<void(const Risposta &)> fatto)
{
    if (!m_archivio.isEmpty())
        argomenti << QStringLiteral("--archivio") << m_archivio;
    Comando comando{std::move(argomenti), std::move(fatto)};
    if (m_processo)
        return m_attesa.push_back(std::move(comando));
    avvia(std::move(comando));
}

void Compagno::avvia(Comando comando)
{
    auto *processo = new QProcess(this);
    m_processo = processo;
    const auto fine = [this, processo, fatto = std::move(comando.fatto)](bool avviato) {
        Risposta r;
        r.avviato = avviato;
        if (avviato && processo->exitStatus() == QProcess::NormalExit)
            r.uscita = processo->exitCode();
        r.uscitaStandard = processo->readAllStandardOutput();
        r.errori = QString::fromUtf8(processo->readAllStandardError());
        m_processo = nullptr;
        processo->deleteLater();
        if (!m_attesa.empty()) {
            Comando prossimo = std::move(m_attesa.front());
            m_attesa.pop_front();
            avvia(std::move(prossimo));
        }
        fatto(r);
    };
    connect(processo, &QProcess::finished, this, [fine] { fine(true); });
    connect(processo, &QProcess::errorOccurred, this, [processo, fine](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart && processo->state() == QProcess::NotRunning)
            fine(false);
    });
    processo->start(m_programma, comando.argomenti);
}

QString Compagno::motivo(const Risposta &risposta)
{
    if (!risposta.avviato)
        return QStringLiteral("Non trovo il programma zaffirone-cli");
    QString testo = risposta.errori.trimmed();
    testo.remove(QRegularExpression(QStringLiteral("^zaffirone-cli: "),
                                    QRegularExpression::MultilineOption));
    return testo;
}

void Compagno::ferma()
{
    if (m_processo)
        m_processo->kill();
}
