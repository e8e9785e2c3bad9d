#include "korvane/IndexOutOfRange.h"

#include <cstring>

namespace Korvane {

namespace {
char* copyText(const char* text) {
    if (text == nullptr) text = "";
    const std::size_t length = std::strlen(text);
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    return copy;
}
}  // namespace

IndexOutOfRange::IndexOutOfRange(const char* text) : message(copyText(text)) {}

IndexOutOfRange::IndexOutOfRange(const IndexOutOfRange& other)
    : std::exception(other), message(copyText(other.message)) {}

IndexOutOfRange& IndexOutOfRange::operator=(const IndexOutOfRange& other) {
    if (this != &other) {
        char* copy = copyText(other.message);
        delete[] message;
        message = copy;
    }
    return *this;
}

IndexOutOfRange::~IndexOutOfRange() { delete[] message; }

const char* IndexOutOfRange::what() const noexcept { return toString(); }

const char* IndexOutOfRange::toString() const { return message != nullptr ? message : ""; }

}  // namespace Korvane
