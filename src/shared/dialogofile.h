#pragma once

#include <string>
#include <string_view>

// The one file dialog of the main window, used to open and to save sets. It has no cancel
// indication: the caller reads the file-name field after the dialog closes, and the field keeps
// its last value between uses ("*.slott" until a file is first chosen).
class DialogoFile
{
public:
    static constexpr std::string_view kFiltro = "Lotto files (*.slott)|*.slott|";
    static constexpr std::string_view kNomeIniziale = "*.slott";

    virtual ~DialogoFile() = default;
    virtual void impostaFiltro(std::string_view filtro) = 0;
    virtual void mostraApri() = 0;
    virtual void mostraSalva() = 0;
    virtual std::string nomeFile() const = 0;
    virtual void impostaNomeFile(std::string_view nome) = 0;
};
