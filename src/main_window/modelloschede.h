#pragma once

#include "shared/currency.h"

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
    // What each entry of the play list was charged when it was chosen (0 for the other list).
    const QList<Currency> &addebiti() const { return m_addebiti; }
    void aggiungi(const QStringList &voci, const QList<Currency> &addebiti = {});
    // Rows in increasing order.
    void rimuovi(const QList<int> &righe);
    void svuota();

private:
    QStringList m_voci;
    QList<Currency> m_addebiti;
};
