// Keeps an exported copy of an inline member in the library.
//
// A member that became inline in a header is still called out of line by
// programs built against the earlier header. Its inline definition carries
// KORVANE_INLINE_API (default visibility); naming its address in a variable
// the compiler must keep makes the library emit the copy those programs
// need. Windows exports the inline members of an exported class anyway.
#pragma once

#if defined(_WIN32)
#  define KORVANE_KEEP_OUT_OF_LINE(Type, member, name)
#else
#  define KORVANE_KEEP_OUT_OF_LINE(Type, member, name) \
    namespace {                                                      \
    using name##Member = Type;                                       \
    [[gnu::used]] const name##Member name = static_cast<Type>(member); \
    }
#endif
