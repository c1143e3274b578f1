#pragma once

// Owns an open file descriptor and closes it when it goes out of scope.
class DescrittoreFile
{
public:
    explicit DescrittoreFile(int fd = -1) : m_fd(fd) {}
    DescrittoreFile(const DescrittoreFile &) = delete;
    DescrittoreFile &operator=(const DescrittoreFile &) = delete;
    DescrittoreFile(DescrittoreFile &&other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    DescrittoreFile &operator=(DescrittoreFile &&other) noexcept;
    ~DescrittoreFile();

    int fd() const { return m_fd; }
    // Closes now and reports the system's errno, 0 when all went well.
    int chiudi();

private:
    int m_fd;
};
