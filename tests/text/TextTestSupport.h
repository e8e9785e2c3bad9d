// Helpers shared by the text tests.
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

// Exposes the storage fields that the value classes keep protected.
template <class Value>
struct StorageView : Value {
    using Value::Value;
    using Value::operator=;
    unsigned int capacityForTest() const { return this->capacity; }
    bool terminatorIsZero() const { return this->getData()[this->size] == 0; }
};

}  // namespace korvane_test
