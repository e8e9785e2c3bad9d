// Helpers shared by the tests of every subsystem that handles text and bytes.
#pragma once

#include <string>

#include "korvane/ByteArray.h"
#include "korvane/String.h"

namespace korvane_test {

// All characters of a String, embedded NULs included.
inline std::string str(const Korvane::String& s) { return std::string(s.getData(), s.length()); }

inline std::string bytes(const Korvane::ByteArray& b) {
    return std::string(reinterpret_cast<const char*>(b.getData()), b.length());
}

// A String of every character of `s`: the char constructors stop at a NUL.
inline Korvane::String makeString(const std::string& s) {
    Korvane::String result;
    for (char c : s) result += c;
    return result;
}

// Exposes the storage fields that the value classes keep protected.
template <class Value>
struct StorageView : Value {
    using Value::Value;
    using Value::operator=;
    unsigned int capacityForTest() const { return this->capacity; }
    bool terminatorIsZero() const { return this->getData()[this->elementCount] == 0; }
};

}  // namespace korvane_test
