// Compiled, never run, by the str_format tests: StrFormat's calls are checked
// against the system C library's formats, which have no %zu.
#include <cstddef>

#include "framework/util/text.h"

void Format(char*& slot, std::size_t count, __int64 big)
{
#ifdef UNKNOWN_FORMAT
    StrFormat(slot, 32, "%zu", count);
#else
    StrFormat(slot, 32, "%u %I64d %s %c %%", static_cast<unsigned>(count), big, "", 'x');
#endif
}
