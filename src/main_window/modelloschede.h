#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The entries of one ticket list: stored titles of 20 characters, in the order they were
// added. Appends and removals touch only their rows, so a list of many thousands of entries
// changes at once and keeps its selection.
class ModelloSchede : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    const QStringList &voci() const { return m_voci; }
    void aggiungi(const QStringList &voci);
    // Rows in increasing order.
    void rimuovi(const QList<int> &righe);
    void svuota();

private:
    QStringList m_voci;
};
