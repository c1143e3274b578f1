#pragma once

#include "shared/dialogofile.h"

#include <QList>
#include <QString>

// A file dialog that the test answers: each show takes the next queued answer, a path chosen
// or a cancel (the field then keeps its value). A show nobody answered counts as a cancel.
class FakeDialogoFile : public DialogoFile
{
public:
    void scegli(const QString &path) { m_risposte << path; }
    void annulla() { m_risposte << QString(); }

    void impostaFiltro(std::string_view filtro) override { m_filtro = filtro; }
    void mostraApri() override { rispondi(QStringLiteral("apri")); }
    void mostraSalva() override { rispondi(QStringLiteral("salva")); }
    std::string nomeFile() const override { return m_nome; }
    void impostaNomeFile(std::string_view nome) override { m_nome = nome; }

    // The dialogs shown, "apri" or "salva", each with the filter it had.
    QList<QString> mostrati;
    int senzaRisposta = 0;

private:
    void rispondi(const QString &kind);

    std::string m_nome{kNomeIniziale};
    std::string m_filtro;
    QList<QString> m_risposte;
};
