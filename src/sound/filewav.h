#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

// One WAV recording, its samples turned into interleaved 16-bit signed PCM at the file's own
// rate and channel count: the one sample format every audio output accepts. Anything that is
// not a playable WAV (empty, cut short, another format, nonsense in the header) reads as
// nothing; the game then stays silent instead of failing.
class FileWav
{
public:
    static std::optional<FileWav> leggi(const std::filesystem::path &file);
    static std::optional<FileWav> decodifica(std::span<const std::byte> contenuto);

    int canali() const { return m_canali; }
    int frequenza() const { return m_frequenza; }
    std::size_t fotogrammi() const
    {
        return m_campioni.size() / static_cast<std::size_t>(m_canali);
    }
    // How long the recording lasts, from its header: the data chunk's length (what the file
    // actually holds of it) over the block size and the rate.
    std::int64_t durataMicrosecondi() const;
    const std::vector<std::int16_t> &campioni() const { return m_campioni; }

    // The same sound for an output that wants another channel count or rate: a mono voice goes
    // to every speaker, several channels fold into one by their mean, and the rate changes by
    // straight-line interpolation. Good enough for speech and clicks.
    std::vector<std::int16_t> convertiti(int canali, int frequenza) const;

    // Larger files are refused rather than read: no recording of the game comes near it.
    static constexpr std::uintmax_t kDatiMassimi = 256u * 1024u * 1024u;

private:
    FileWav(int canali, int frequenza, std::vector<std::int16_t> campioni);

    int m_canali;
    int m_frequenza;
    std::vector<std::int16_t> m_campioni;
};
