// The program's own new and delete: plain malloc and free. libstdc++'s nothrow new wraps the
// throwing one in a try/catch, which alone links the whole exception runtime into the program.
// In the lowest layer, which every layer's new and delete reach: the linker then takes these
// before it comes to libstdc++'s.
#include <cstdlib>
#include <new>

// Null on failure; every caller checks. A request for no bytes needs no care of its own: the
// CRT's malloc answers it with a valid block of its own, as new must, and each new-expression,
// into which these are inlined, stays a plain call.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size);
}

// free, like libstdc++'s own: a block from its throwing new (the test programs use it) or from
// the nothrow new above goes back the same way. The nothrow deletes, which only a constructor
// that throws would call, are libstdc++'s: they call these.
void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}
