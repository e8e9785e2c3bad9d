// IndexOutOfRange: the exception thrown by element access of Array.
//
// It is not an Exception (it carries no error stack): it holds one message,
// one of the four fixed texts of Array's operator[], in a heap copy it owns.
#pragma once

#include "korvane/Export.h"

namespace Korvane {

class KORVANE_API IndexOutOfRange {
public:
    // Stores its own copy of `message` (a null message is stored as "").
    explicit IndexOutOfRange(const char* message);
    IndexOutOfRange(const IndexOutOfRange& other);
    IndexOutOfRange& operator=(const IndexOutOfRange& other);
    virtual ~IndexOutOfRange();

    // The stored message.
    const char* toString() const;

private:
    char* message;
};

}  // namespace Korvane
