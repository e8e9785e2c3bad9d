// Helpers shared by the bit-string, object-identifier and UTF-8 tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "korvane/BoolArray.h"
#include "korvane/ByteArray.h"

namespace korvane_test {

inline Korvane::ByteArray byteArray(std::initializer_list<int> values) {
    Korvane::ByteArray b;
    for (int v : values) b += static_cast<char>(v);
    return b;
}

inline Korvane::ByteArray byteArray(const std::vector<unsigned char>& values) {
    return Korvane::ByteArray(values.data(), static_cast<unsigned int>(values.size()));
}

inline std::vector<unsigned char> byteVector(const Korvane::ByteArray& b) {
    return std::vector<unsigned char>(b.getData(), b.getData() + b.length());
}

inline Korvane::BoolArray boolArray(const std::vector<bool>& bits) {
    Korvane::BoolArray a;
    for (bool bit : bits) a += bit;
    return a;
}

inline std::vector<bool> elements(const Korvane::BoolArray& a) {
    std::vector<bool> bits;
    for (unsigned int i = 0; i < a.length(); ++i) bits.push_back(a[i]);
    return bits;
}

inline std::vector<unsigned char> randomBytes(std::mt19937& random, unsigned int count) {
    std::vector<unsigned char> bytes(count);
    for (auto& b : bytes) b = static_cast<unsigned char>(random());
    return bytes;
}

}  // namespace korvane_test
