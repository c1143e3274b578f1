#pragma once

#include <array>
#include <streambuf>

// Standard output for players' scripts, whose every write is checked: the first that fails
// (a full disk, a closed pipe) is remembered with its reason, and nothing more is written.
class UscitaControllata : public std::streambuf
{
public:
    explicit UscitaControllata(int fd = 1);
    ~UscitaControllata() override;
    UscitaControllata(const UscitaControllata &) = delete;
    UscitaControllata &operator=(const UscitaControllata &) = delete;

    // The system's errno of the first failed write; 0 while all went out.
    int errore() const { return m_errore; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool svuota();

    int m_fd;
    int m_errore = 0;
    std::array<char, 65536> m_buffer{};
};
