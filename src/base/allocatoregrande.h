#pragma once

#include <cstddef>
#include <new>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

// Memory for the large arrays of a loaded set (its titles, costs and keys: tens of megabytes for
// a million tickets), in huge pages where the system gives them. The first touch of each small
// page costs a fault in the kernel, and the arrays of a million tickets would take some thirty
// thousand of them: on a virtual machine, most of a load's time. Small arrays come from the
// ordinary heap.
namespace memoria_grande {
void *prendi(std::size_t byte);
void rendi(void *p, std::size_t byte);
} // namespace memoria_grande

template <typename T>
class AllocatoreGrande
{
public:
    using value_type = T;

    AllocatoreGrande() = default;
    template <typename U>
    AllocatoreGrande(const AllocatoreGrande<U> &)
    {}

    T *allocate(std::size_t n) { return static_cast<T *>(memoria_grande::prendi(n * sizeof(T))); }
    void deallocate(T *p, std::size_t n) { memoria_grande::rendi(p, n * sizeof(T)); }

    // An array made of a given size is filled by its owner: it is not zeroed first, which for
    // tens of megabytes is a pass over memory of its own.
    template <typename U>
    void construct(U *p) noexcept(std::is_nothrow_default_constructible_v<U>)
    {
        ::new (static_cast<void *>(p)) U;
    }
    template <typename U, typename... A>
    void construct(U *p, A &&...argomenti)
    {
        ::new (static_cast<void *>(p)) U(std::forward<A>(argomenti)...);
    }

    template <typename U>
    bool operator==(const AllocatoreGrande<U> &) const
    {
        return true;
    }
};

template <typename T>
using VettoreGrande = std::vector<T, AllocatoreGrande<T>>;
using TestoGrande = std::basic_string<char, std::char_traits<char>, AllocatoreGrande<char>>;
