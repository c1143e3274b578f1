#pragma once

#include "storage/esito.h"

#include <chrono>
#include <optional>
#include <string>

// Marks the time a set's bytes are being changed (an open-file-description lock over the whole
// file, apart from the writers' flock): a writer holds it alone while it changes the set, or for
// a whole write of many records; a reader shares it only for the moment it takes the set's
// measure, so that it never measures a set half-way through a change.
class GuardiaModifica
{
public:
    // How long a writer waits for readers, and a reader for a writer's change of one record:
    // each of them holds the guard for moments, unless it was stopped.
    static constexpr std::chrono::milliseconds kAttesa{5000};

    // Waits up to the given time for the readers measuring the set at this moment.
    static Esito<GuardiaModifica> esclusiva(int fd, const std::string &percorso,
                                            std::chrono::milliseconds attesa);
    // Nothing when a writer is changing the set now.
    static std::optional<GuardiaModifica> condivisa(int fd);

    GuardiaModifica(GuardiaModifica &&other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    GuardiaModifica &operator=(GuardiaModifica &&) = delete;
    ~GuardiaModifica();

private:
    explicit GuardiaModifica(int fd) : m_fd(fd) {}

    int m_fd;
};
