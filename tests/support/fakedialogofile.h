#pragma once

#include "shared/dialogofile.h"

#include <QStringList>

// A file dialog that the test answers: each show takes the next queued answer, a path chosen
// or a cancel (the field then keeps its value). A show nobody answered counts as a cancel; a
// command that keeps showing it unanswered is going round in circles, and the test stops.
class FakeDialogoFile : public DialogoFile
{
public:
    void scegli(const QString &path) { m_risposte << path; }
    void annulla() { m_risposte << QString(); }

    void impostaFiltro(std::string_view filtro) override { m_filtro = filtro; }
    void mostraApri() override { rispondi("apri"); }
    void mostraSalva() override { rispondi("salva"); }
    std::string nomeFile() const override { return m_nome; }
    void impostaNomeFile(std::string_view nome) override { m_nome = nome; }

    // The dialogs shown, "apri" or "salva", each with the filter it had.
    QStringList mostrati;
    int senzaRisposta = 0;

private:
    void rispondi(const char *kind)
    {
        mostrati << QString::fromLatin1(kind) + ": " + QString::fromStdString(m_filtro);
        if (m_risposte.isEmpty()) {
            if (++senzaRisposta > 10)
                qFatal("The file dialog keeps coming back and nobody answers it");
        } else if (const QString answer = m_risposte.takeFirst(); !answer.isEmpty()) {
            m_nome = answer.toStdString();
        }
    }

    std::string m_nome{kNomeIniziale};
    std::string m_filtro;
    QStringList m_risposte;
};
