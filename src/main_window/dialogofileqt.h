#pragma once

#include "shared/dialogofile.h"

#include <QDir>
#include <QString>

// The file dialog as Qt shows it. Choosing a file puts its path in the field; cancelling
// leaves the field as it was, so that "*.slott" still means nothing was ever chosen and the
// empty field the program wrote stays empty.
class DialogoFileQt : public DialogoFile
{
public:
    // The caption of the open dialog: a set's, or that of another file the game reads.
    explicit DialogoFileQt(QString titoloApri = QStringLiteral("Apri insieme di schede"))
        : m_titoloApri(std::move(titoloApri))
    {}

    void impostaFiltro(std::string_view filtro) override;
    void mostraApri() override;
    void mostraSalva() override;
    std::string nomeFile() const override { return m_nome.toStdString(); }
    void impostaNomeFile(std::string_view nome) override;

private:
    void mostra(int acceptMode);

    QString m_titoloApri;
    QString m_nome = QStringLiteral("*.slott");
    // One dialog for the whole run: it opens where it was left, at first in the working folder.
    QString m_cartella = QDir::homePath(); // the player's home, until a folder is chosen
    QString m_filtro;
};
