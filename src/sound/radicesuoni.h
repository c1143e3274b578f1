#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where the recordings live on this machine. The game names them by the Windows paths they
// always had ("C:\Quarzolo\Suoni\Lotto\click.wav"); each candidate folder stands in for
// "C:\Quarzolo\Suoni\", and the first folder holding the recording wins, so a player may
// replace just a few recordings with their own.
class RadiceSuoni
{
public:
    // The folder every recording's Windows path starts with, and the Windows path of a
    // recording the catalogue names ("Lotto\click.wav").
    static constexpr std::string_view kRadice = "C:\\Quarzolo\\Suoni\\";
    static std::string percorsoCompleto(std::string_view relativo);

    explicit RadiceSuoni(std::vector<std::filesystem::path> radici);

    // The player's own folder, then the installed one, then the build tree's copy.
    static RadiceSuoni predefinita();
    static std::vector<std::filesystem::path> radiciPredefinite();

    // The local file of a catalogue path, or nothing when no folder has it or the path does not
    // name a file below the sound root.
    std::optional<std::filesystem::path> trova(std::string_view percorso) const;

    const std::vector<std::filesystem::path> &radici() const { return m_radici; }

private:
    std::vector<std::filesystem::path> m_radici;
};
