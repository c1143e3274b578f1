#include "modelloschede.h"

#include "base/codepage1252.h"

ModelloSchede::ModelloSchede(ElencoSchede &elenco, QObject *genitore)
    : QAbstractListModel(genitore), m_elenco(elenco)
{
    m_elenco.osserva(this);
}

ModelloSchede::~ModelloSchede()
{
    m_elenco.osserva(nullptr);
}

int ModelloSchede::rowCount(const QModelIndex &genitore) const
{
    return genitore.isValid() ? 0 : conta();
}

QVariant ModelloSchede::data(const QModelIndex &indice, int ruolo) const
{
    if (!indice.isValid() || indice.row() >= conta())
        return {};
    // An entry is its stored title, blanks and all; what is shown, read and hinted is the title
    // without the blanks that pad it to 20 characters.
    if (ruolo == Qt::DisplayRole || ruolo == Qt::AccessibleTextRole || ruolo == Qt::ToolTipRole) {
        QString testo = voce(indice.row());
        while (testo.endsWith(u' '))
            testo.chop(1);
        return testo;
    }
    return {};
}

int ModelloSchede::conta() const
{
    return int(m_elenco.conta());
}

QString ModelloSchede::voce(int riga) const
{
    const std::string_view byte = m_elenco.voce(std::size_t(riga));
    QString testo(qsizetype(byte.size()), Qt::Uninitialized);
    for (std::size_t i = 0; i < byte.size(); ++i)
        testo[qsizetype(i)] =
            QChar(char16_t(CodePage1252::decode(static_cast<unsigned char>(byte[i]))));
    return testo;
}

QStringList ModelloSchede::voci() const
{
    QStringList testi;
    testi.reserve(conta());
    for (int riga = 0; riga < conta(); ++riga)
        testi << voce(riga);
    return testi;
}

void ModelloSchede::primaDiAggiungere(std::size_t primo, std::size_t quante)
{
    beginInsertRows({}, int(primo), int(primo + quante - 1));
}

void ModelloSchede::primaDiTogliere(std::size_t primo, std::size_t quante)
{
    beginRemoveRows({}, int(primo), int(primo + quante - 1));
}
