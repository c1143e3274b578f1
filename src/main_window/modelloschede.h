#pragma once

#include "base/allocatoregrande.h"
#include "base/currency.h"
#include "base/testocondiviso.h"

#include <QAbstractListModel>
#include <QStringList>

#include <string>

// The entries of one ticket list: stored titles of 20 characters, in the order they were
// added. They are kept as the set file's bytes and made into text only for the rows a view
// shows. Appends and removals touch only their rows, so a list of a million entries changes at
// once and keeps its selection.
class ModelloSchede : public QAbstractListModel
{
    Q_OBJECT

public:
    // Entries with what goes with them: their titles as the set file stores them (20 bytes an
    // entry, one after the other), the record each was listed from (0: not known), where its
    // cost is found at once while that record keeps its title, and what each was charged (none
    // at all: nothing charged, as in the list of existing tickets).
    struct Voci
    {
        TestoCondiviso grezze;
        VettoreGrande<quint32> record;
        VettoreGrande<Currency> addebiti;
    };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    int conta() const;
    QString voce(int riga) const;
    // Every entry's text: for a whole list's look, not for each click.
    QStringList voci() const;
    const TestoCondiviso &grezze() const { return m_voci.grezze; }
    const VettoreGrande<quint32> &record() const { return m_voci.record; }
    // The entries of the given rows (in increasing order), or all of them.
    Voci prendi(const QList<int> &righe) const;
    const Voci &tutte() const { return m_voci; }
    // Every entry, taken out: the list is left empty.
    Voci prendiTutte();

    // Missing records and charges are 0; entries whose charges are missing may come with none.
    void aggiungi(Voci voci);
    void aggiungi(const QStringList &voci);
    // Rows in increasing order.
    void rimuovi(const QList<int> &righe);
    void svuota();

    // Titles as the set file stores them. Entries are titles read from a set, so each
    // character has its byte.
    static TestoGrande codifica(const QStringList &voci);

private:
    Voci m_voci;
};
