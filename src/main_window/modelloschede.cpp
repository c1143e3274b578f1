#include "modelloschede.h"

int ModelloSchede::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_voci.size());
}

QVariant ModelloSchede::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_voci.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_voci.at(index.row());
    return {};
}

void ModelloSchede::aggiungi(const QStringList &voci, const QList<Currency> &addebiti)
{
    if (voci.isEmpty())
        return;
    beginInsertRows({}, int(m_voci.size()), int(m_voci.size() + voci.size() - 1));
    m_voci += voci;
    m_addebiti += addebiti;
    m_addebiti.resize(m_voci.size());
    endInsertRows();
}

void ModelloSchede::rimuovi(const QList<int> &righe)
{
    // From the end, one run of neighbouring rows at a time, so earlier rows keep their numbers.
    for (qsizetype end = righe.size(); end > 0;) {
        qsizetype start = end - 1;
        while (start > 0 && righe[start - 1] == righe[start] - 1)
            --start;
        beginRemoveRows({}, righe[start], righe[end - 1]);
        m_voci.remove(righe[start], righe[end - 1] - righe[start] + 1);
        m_addebiti.remove(righe[start], righe[end - 1] - righe[start] + 1);
        endRemoveRows();
        end = start;
    }
}

void ModelloSchede::svuota()
{
    beginResetModel();
    m_voci.clear();
    m_addebiti.clear();
    endResetModel();
}
