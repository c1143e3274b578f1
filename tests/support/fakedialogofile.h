#pragma once

#include "shared/dialogofile.h"

#include <QStringList>

// A file dialog that the test answers: each show takes the next queued answer, a path or a cancel
// (the field then keeps its value). A show without its filter (the sets' unless named), or with
// no answer queued (a command showing it over and over would go round in circles), stops the test.
class FakeDialogoFile : public DialogoFile
{
public:
    explicit FakeDialogoFile(std::string_view filtro = kFiltro) : m_atteso(filtro) {}
    void scegli(const QString &path) { m_risposte << path; }
    void annulla() { m_risposte << QString(); }

    void impostaFiltro(std::string_view filtro) override { m_filtro = filtro; }
    void mostraApri() override { mostra(); }
    void mostraSalva() override { mostra(); }
    std::string nomeFile() const override { return m_nome; }
    void impostaNomeFile(std::string_view nome) override { m_nome = nome; }

private:
    void mostra()
    {
        if (m_filtro != m_atteso || m_risposte.isEmpty())
            qFatal("The file dialog was shown without its filter, or with nobody to answer");
        const QString answer = m_risposte.isEmpty() ? QString() : m_risposte.takeFirst();
        if (!answer.isEmpty())
            m_nome = answer.toStdString();
    }

    std::string_view m_atteso;
    std::string m_nome{kNomeIniziale};
    std::string m_filtro;
    QStringList m_risposte;
};
