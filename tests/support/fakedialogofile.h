#pragma once

#include "shared/dialogofile.h"

#include <QStringList>

// A file dialog that the test answers: each show takes the next queued answer, a path or a cancel
// (the field then keeps its value); a show nobody answered is a cancel. The filter of each show is
// kept. A command that keeps showing it unanswered goes round in circles: the test stops there.
class FakeDialogoFile : public DialogoFile
{
public:
    void scegli(const QString &path) { m_risposte << path; }
    void annulla() { m_risposte << QString(); }

    void impostaFiltro(std::string_view filtro) override { m_filtro = filtro; }
    void mostraApri() override { mostra(); }
    void mostraSalva() override { mostra(); }
    std::string nomeFile() const override { return m_nome; }
    void impostaNomeFile(std::string_view nome) override { m_nome = nome; }

    QStringList filtri;
    int senzaRisposta = 0;

private:
    void mostra()
    {
        filtri << QString::fromStdString(m_filtro);
        if (m_risposte.isEmpty() && ++senzaRisposta > 10)
            qFatal("The file dialog keeps coming back and nobody answers it");
        const QString answer = m_risposte.isEmpty() ? QString() : m_risposte.takeFirst();
        if (!answer.isEmpty())
            m_nome = answer.toStdString();
    }

    std::string m_nome{kNomeIniziale};
    std::string m_filtro;
    QStringList m_risposte;
};
