#include "errorefile.h"

#include <cerrno>
#include <utility>

namespace {

struct Reason
{
    int code;
    const char *text;
};

constexpr Reason kReasons[] = {
    {ENOENT, "il file o la cartella non esiste"},
    {EACCES, "permesso negato"},
    {EPERM, "operazione non permessa"},
    {EISDIR, "è una cartella, non un file"},
    {ENOTDIR, "una parte del percorso non è una cartella"},
    {ENOSPC, "il disco è pieno"},
    {EDQUOT, "la quota disco è esaurita"},
    {EFBIG, "il file supererebbe la dimensione massima consentita"},
    {EROFS, "il disco è in sola lettura"},
    {EIO, "errore di lettura o scrittura sul dispositivo"},
    {ENAMETOOLONG, "il nome del file è troppo lungo"},
    {ELOOP, "troppi collegamenti simbolici nel percorso"},
    {EMFILE, "troppi file aperti"},
    {ENFILE, "troppi file aperti nel sistema"},
    {ETXTBSY, "il file è in uso"},
    {EBUSY, "il file è in uso"},
    {EINVAL, "operazione non valida per questo file"},
    {ENODEV, "non è un file normale"},
};

} // namespace

ErroreFile::ErroreFile(Tipo tipo, std::string percorso, int codice, std::uint64_t record)
    : m_tipo(tipo), m_percorso(std::move(percorso)), m_codice(codice), m_record(record)
{}

std::string ErroreFile::motivo() const
{
    if (m_tipo == Tipo::RecordInesistente)
        return "la schedina numero " + std::to_string(m_record) + " non esiste";
    if (m_tipo == Tipo::TroppoGrande)
        return "contiene " + std::to_string(m_record) +
               " schedine, più di quante il gioco possa tenere in memoria (al massimo " +
               std::to_string(kMassimoSchede) + ")";
    if (m_tipo == Tipo::InUso)
        return "è in uso da un altro programma";
    if (m_tipo == Tipo::CollegamentoInterrotto)
        return "è un collegamento simbolico a un file o a una cartella che non esiste";
    if (m_tipo == Tipo::Spostato)
        return "nel frattempo un altro programma l'ha spostato, eliminato o creato";
    if (m_tipo == Tipo::AltriNomi)
        return (m_record == 1 ? std::string("ha anche un altro nome (un collegamento fisico), che "
                                            "resterebbe")
                              : "ha anche altri " + std::to_string(m_record) +
                                    " nomi (collegamenti fisici), che resterebbero") +
               " al file di prima: copialo in un file tutto suo e riprova";
    if (m_tipo == Tipo::AltroProprietario)
        return "appartiene a un altro utente";
    if (m_codice == 0)
        return "il trasferimento dei dati si è interrotto";
    for (const Reason &reason : kReasons) {
        if (reason.code == m_codice)
            return reason.text;
    }
    // The system's own words for the rest would be English.
    return "errore di sistema (codice " + std::to_string(m_codice) + ")";
}

std::string ErroreFile::descrizione() const
{
    if (m_tipo == Tipo::InUso)
        return kInUso;
    const char *azione = "";
    switch (m_tipo) {
    case Tipo::Apertura:
        azione = "Impossibile aprire il file \"";
        break;
    case Tipo::Lettura:
    case Tipo::RecordInesistente:
    case Tipo::TroppoGrande:
        azione = "Impossibile leggere il file \"";
        break;
    case Tipo::Scrittura:
    case Tipo::InUso:
    case Tipo::CollegamentoInterrotto:
    case Tipo::Spostato:
    case Tipo::AltriNomi:
    case Tipo::AltroProprietario:
        azione = "Impossibile scrivere il file \"";
        break;
    case Tipo::Eliminazione:
        azione = "Impossibile eliminare il file \"";
        break;
    }
    return azione + m_percorso + "\": " + motivo() + ".";
}
