#pragma once

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QStringList>

#include <deque>
#include <functional>

// The companion, zaffirone-cli, run for the game: the archive of the real draws is its own, and
// the game reads it through the commands and the output players' scripts read. A command runs
// in the background; what it said is handed over when it has ended.
class Compagno : public QObject
{
    Q_OBJECT

public:
    // The companion beside the game's own program.
    static QString accantoAlGioco();

    // The archive is the companion's own unless one is named (a game under test names its own).
    explicit Compagno(QString programma, QString archivio = {}, QObject *parent = nullptr);

    struct Risposta
    {
        bool avviato = false; // false: the program could not be started at all
        int uscita = -1;      // its exit code; -1 when it did not end by itself
        QByteArray uscitaStandard;
        QString errori; // what it wrote on its error output, as text
    };
    // Why a command did not go through, as the companion said it (without its name before each
    // line), or that it could not be started.
    static QString motivo(const Risposta &risposta);

    // Runs a command on the archive ("draws import FILE", "check SET"...): one at a time, so one
    // asked for while another runs starts when it has ended.
    void esegui(QStringList argomenti, std::function<void(const Risposta &)> fatto);
    // Stops the command under way; it ends as not ended by itself.
    void ferma();
    bool occupato() const { return m_processo != nullptr || !m_attesa.empty(); }

private:
    struct Comando
    {
        QStringList argomenti;
        std::function<void(const Risposta &)> fatto;
    };
    void avvia(Comando comando);

    QString m_programma;
    QString m_archivio;
    QPointer<QProcess> m_processo;
    std::deque<Comando> m_attesa; // asked for while another runs
};
