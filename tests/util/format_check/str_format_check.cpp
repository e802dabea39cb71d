// Compiled, never run, by the str_format_unknown_format check: %zu, which the
// system C library lacks, must be refused.
#include "framework/util/text.h"

void Format(char*& slot) { StrFormat(slot, 8, "%zu", sizeof slot); }
