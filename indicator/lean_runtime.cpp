// The parts of the C++ runtime the program supplies itself, so that the
// runtime's exception machinery stays out of it. The program is built without
// exceptions: the runtime's own versions of these would throw one, and with it
// link the exception classes (with a second string type of their own), the
// unwinder and its tables, all to end the program, which is what these do.
//
// The text types' members (narrow and wide) are made here too, from the
// header, without exception tables: the runtime's ready-made copy carries
// tables that keep every one of its members in the program.
#include <windows.h>
#include <malloc.h>

#include <cstdlib>
#include <new>
#include <string>

// The plain operator new returns what malloc gives, aligned as the system's
// heap aligns; the compiler must ask the aligned forms below for any type
// that needs more (cmake/CompileOptions.cmake).
static_assert(__STDCPP_DEFAULT_NEW_ALIGNMENT__ <= MEMORY_ALLOCATION_ALIGNMENT,
              "operator new would give over-aligned types less than they need");

// Running out of memory where the language has no way to say so (a
// container growing) ends the program, as the runtime's uncaught bad_alloc
// did; allocations that may fail use the nothrow forms and get null.
void* operator new(std::size_t size)
{
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    std::abort();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size ? size : 1);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size ? size : 1);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

// The forms for types aligned beyond what malloc gives.
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return _aligned_malloc(size ? size : 1, static_cast<std::size_t>(alignment));
}

void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return operator new(size, alignment, std::nothrow);
}

void* operator new(std::size_t size, std::align_val_t alignment)
{
    if (void* memory = operator new(size, alignment, std::nothrow))
        return memory;
    std::abort();
}

void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return operator new(size, alignment);
}

void operator delete(void* memory, std::align_val_t) noexcept
{
    _aligned_free(memory);
}

void operator delete[](void* memory, std::align_val_t) noexcept
{
    _aligned_free(memory);
}

void operator delete(void* memory, std::size_t, std::align_val_t) noexcept
{
    _aligned_free(memory);
}

void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept
{
    _aligned_free(memory);
}

void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept
{
    _aligned_free(memory);
}

void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept
{
    _aligned_free(memory);
}

// The library's reports of a misuse (a length beyond the maximum, an index out
// of range): the program has no handler for any of them.
namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_bad_cast() { std::abort(); }
void __throw_bad_typeid() { std::abort(); }
void __throw_bad_exception() { std::abort(); }
void __throw_bad_function_call() { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_domain_error(const char*) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_runtime_error(const char*) { std::abort(); }
void __throw_range_error(const char*) { std::abort(); }
void __throw_overflow_error(const char*) { std::abort(); }
void __throw_underflow_error(const char*) { std::abort(); }

template class basic_string<char>;
template class basic_string<wchar_t>;
}  // namespace std
