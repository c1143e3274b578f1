#pragma once

#include "engine/elencoschede.h"

#include <QAbstractListModel>
#include <QStringList>

// One of the game's ticket lists as a view shows it. Its entries are kept as the set file's
// bytes and made into text only for the rows a view shows; the list tells the view of each
// change around it.
class ModelloSchede : public QAbstractListModel, private ElencoSchede::Osservatore
{
    Q_OBJECT

public:
    ModelloSchede(ElencoSchede &elenco, QObject *genitore);
    ~ModelloSchede() override;

    int rowCount(const QModelIndex &genitore = {}) const override;
    QVariant data(const QModelIndex &indice, int ruolo) const override;

    int conta() const;
    QString voce(int riga) const;
    // Every entry's text: for a whole list's look, not for each click.
    QStringList voci() const;

private:
    void primaDiAggiungere(std::size_t primo, std::size_t quante) override;
    void dopoAverAggiunto() override { endInsertRows(); }
    void primaDiTogliere(std::size_t primo, std::size_t quante) override;
    void dopoAverTolto() override { endRemoveRows(); }
    void primaDiSvuotare() override { beginResetModel(); }
    void dopoAverSvuotato() override { endResetModel(); }

    ElencoSchede &m_elenco;
};
