// BoolArray and IntArray from text and bytes. BoolArray: the '0'/'1'
// characters of a text in either order, the bits of packed bytes in either
// bit order less the unused ones; toString and toByteArray read back to the
// same elements (packing drops only high zero elements), trimming and
// appending. IntArray: the numbers between runs of dots, printed back.
//
// Input: a flag byte, a count byte, four bytes not read, then text 0xFF bytes.
#include <vector>

#include "FuzzSupport.h"
#include "korvane/BoolArray.h"
#include "korvane/ByteArray.h"
#include "korvane/IntArray.h"

using namespace Korvane;

namespace {

template <typename Array>
auto elementsOf(const Array& a) {
    std::vector<decltype(a[0] + 0)> v;
    for (unsigned int i = 0; i < a.length(); ++i) v.push_back(a[i]);
    return v;
}

std::vector<int> trimmedHigh(std::vector<int> v) {
    while (!v.empty() && !v.back()) v.pop_back();
    return v;
}

void checkBoolArray(const std::string& text, const std::string& bytes, unsigned int flags, unsigned int unused) {
    // Every byte of the text is read, embedded NULs included.
    const bool reversed = flags & 1, lsbFirst = flags & 2;
    std::vector<int> fromText;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = reversed ? text[text.size() - 1 - k] : text[k];
        if (c == '0' || c == '1') fromText.push_back(c == '1');
    }
    const BoolArray read(korvane_fuzz::text(text), reversed);
    FUZZ_CHECK(elementsOf(read) == fromText);
    FUZZ_CHECK(BoolArray(read.toString(), true) == read);

    std::vector<int> fromBytes;
    for (std::size_t i = 0; !bytes.empty() && unused <= 7 && i < 8 * bytes.size() - unused; ++i)
        fromBytes.push_back((static_cast<unsigned char>(bytes[i / 8]) >> (lsbFirst ? i % 8 : 7 - i % 8)) & 1);
    const BoolArray unpacked(ByteArray(bytes.data(), static_cast<unsigned int>(bytes.size())), unused, lsbFirst);
    FUZZ_CHECK(elementsOf(unpacked) == fromBytes);

    for (const BoolArray& a : {read, unpacked}) {
        const std::vector<int> v = elementsOf(a), high = trimmedHigh(v);
        // Element i is bit i % 8 of byte i / 8; an all-clear array packs as
        // one 00, an empty one as nothing.
        const ByteArray packed = a.toByteArray();
        FUZZ_CHECK(packed.length() == (v.empty() ? 0 : high.empty() ? 1 : (high.size() + 7) / 8));
        FUZZ_CHECK(trimmedHigh(elementsOf(BoolArray(packed, 0, true))) == high);
        FUZZ_CHECK(a.isClear() == high.empty());
        BoolArray trimmed(a);
        FUZZ_CHECK(elementsOf(trimmed.trimMSB()) == high);
        std::vector<int> low = v;
        while (!low.empty() && !low.front()) low.erase(low.begin());
        trimmed = a;
        FUZZ_CHECK(elementsOf(trimmed.trimLSB()) == low);
    }
    BoolArray sum = read + unpacked;
    sum += static_cast<bool>(flags & 4);
    std::vector<int> joined = fromText;
    joined.insert(joined.end(), fromBytes.begin(), fromBytes.end());
    joined.push_back((flags & 4) != 0);
    FUZZ_CHECK(elementsOf(sum) == joined);
}

void checkIntArray(const std::string& text) {
    // The parts between runs of dots, each read by String::toInt; the text
    // ends at its first NUL, as the tokenizer reads it.
    std::vector<int> expected;
    std::string part, printed;
    for (const char c : std::string(text.c_str()) + '.') {
        if (c != '.') {
            part += c;
        } else if (!part.empty()) {
            expected.push_back(String(part.c_str()).toInt());
            printed += (printed.empty() ? "" : ".") + std::to_string(expected.back());
            part.clear();
        }
    }
    const IntArray oid(korvane_fuzz::text(text));
    FUZZ_CHECK(elementsOf(oid) == expected);
    FUZZ_CHECK(korvane_fuzz::str(oid.toString()) == (expected.empty() ? "Null" : printed));
    if (!expected.empty()) FUZZ_CHECK(IntArray(oid.toString()) == oid);
    IntArray longer(oid);
    longer += 7;
    FUZZ_CHECK(longer != oid && longer.length() == oid.length() + 1 && longer[oid.length()] == 7);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    korvane_fuzz::Pieces pieces(data + 6, size - 6);
    const std::string text = pieces.next(), bytes = pieces.next().substr(0, 64);
    checkBoolArray(text, bytes, data[0], data[1] % 10);
    checkIntArray(text);
    return 0;
}
