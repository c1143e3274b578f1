#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The text of a spreadsheet's file as UTF-8, whatever the spreadsheet saved: UTF-8 with or
// without a byte-order mark, UTF-16 of either byte order after its mark, or, for a file that is
// not valid UTF-8, Windows-1252 (what an Italian spreadsheet saves as plain CSV, and the set
// file's own encoding). A block at a time: a character cut between two blocks is kept for the
// next one.
class DecodificaTesto
{
public:
    enum class Codifica
    {
        Utf8,
        Utf16LE,
        Utf16BE,
        Windows1252
    };

    // The encoding a byte-order mark at the start says, and the mark's length.
    static std::optional<std::pair<Codifica, std::size_t>> daMarca(std::string_view inizio);
    static bool utf8Valido(std::string_view testo);

    explicit DecodificaTesto(Codifica codifica) : m_codifica(codifica) {}

    // The block's characters appended to testo as UTF-8.
    void converti(std::string_view byte, std::string &testo);
    // The end of the text: a character cut short becomes U+FFFD.
    void fine(std::string &testo);

    // Whether all the bytes given so far, one block after another, are valid UTF-8; fineUtf8
    // says it of the whole once the last block was given.
    bool controllaUtf8(std::string_view byte);
    bool fineUtf8() const { return m_valido && m_resto.empty(); }

private:
    void convertiUtf16(std::string_view byte, std::string &testo);

    Codifica m_codifica;
    std::string m_resto; // the bytes of a character cut at the end of the last block
    char32_t m_alto = 0; // a UTF-16 high surrogate waiting for its low one
    bool m_valido = true;
};
