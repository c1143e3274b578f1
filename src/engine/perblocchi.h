#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

// Runs lavoro(b, parte) for the blocks 0..blocchi-1 on up to `thread` threads, each taking the
// next block not yet taken into a part of its own; the parts are then joined into one. When the
// system will not make as many threads (a process or memory limit), those it made do the work.
template <typename Parte, typename Lavoro, typename Unisci>
Parte perBlocchi(std::uint64_t blocchi, unsigned thread, Lavoro &&lavoro, Unisci &&unisci)
{
    std::atomic<std::uint64_t> prossimo{0};
    std::mutex guardia;
    Parte totale{};
    auto esegui = [&] {
        Parte mia{};
        for (std::uint64_t b; (b = prossimo.fetch_add(1)) < blocchi;)
            lavoro(b, mia);
        const std::lock_guard chiusa(guardia);
        unisci(totale, mia);
    };
    std::vector<std::thread> altri;
    try {
        altri.reserve(std::min<std::uint64_t>(thread, blocchi));
        for (std::uint64_t i = 1; i < std::min<std::uint64_t>(thread, blocchi); ++i)
            altri.emplace_back(esegui);
    } catch (const std::system_error &) {
    } catch (const std::bad_alloc &) {
    }
    esegui();
    for (std::thread &t : altri)
        t.join();
    return totale;
}
