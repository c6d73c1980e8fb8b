// The global allocation functions of setup.exe, over the C runtime's heap.
//
// The C++ library's own ones report a failed allocation by throwing std::bad_alloc,
// and so link the exception machinery and the unwinder into setup.exe. The
// program throws nothing and catches nothing: a failed allocation that the caller
// cannot see ends the process as an uncaught std::bad_alloc would; the nothrow
// forms hand the null pointer back to their callers, which check for it.
#include <cstdlib>
#include <new>

namespace {

// A zero-byte request still needs a pointer of its own.
void* AllocateOrNull(std::size_t nSize) { return std::malloc(nSize != 0 ? nSize : 1); }

void* AllocateOrAbort(std::size_t nSize)
{
    void* p = AllocateOrNull(nSize);
    if (p == nullptr) {
        std::abort();
    }
    return p;
}

}  // namespace

void* operator new(std::size_t nSize) { return AllocateOrAbort(nSize); }
void* operator new[](std::size_t nSize) { return AllocateOrAbort(nSize); }
void* operator new(std::size_t nSize, const std::nothrow_t&) noexcept { return AllocateOrNull(nSize); }
void* operator new[](std::size_t nSize, const std::nothrow_t&) noexcept { return AllocateOrNull(nSize); }

void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
