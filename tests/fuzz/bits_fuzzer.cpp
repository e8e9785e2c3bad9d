// BoolArray and IntArray from text and bytes, and the bit-string helpers of
// System, against models of their rules: BoolArray's readings of '0'/'1'
// text in both orders and of packed bytes with unused bits in both bit
// orders, its text, packing and trimming; IntArray's dotted notation (split
// at runs of dots, each part through String::toInt) both ways; DER length
// octets, unused-bit counts and bit strings.
//
// Input: a flag byte, a count byte, a 4-byte length, then text 0xFF bytes.
#include <vector>

#include "FuzzSupport.h"
#include "korvane/BoolArray.h"
#include "korvane/ByteArray.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/IntArray.h"
#include "korvane/QuillonException.h"
#include "korvane/System.h"

using namespace Korvane;

namespace {

std::vector<bool> elementsOf(const BoolArray& a) {
    std::vector<bool> v;
    for (unsigned int i = 0; i < a.length(); ++i) v.push_back(a[i]);
    return v;
}

std::vector<int> elementsOf(const IntArray& a) {
    std::vector<int> v;
    for (unsigned int i = 0; i < a.length(); ++i) v.push_back(a[i]);
    return v;
}

std::string bitsText(const std::vector<bool>& v) {  // last element first
    std::string s;
    for (auto it = v.rbegin(); it != v.rend(); ++it) s += *it ? '1' : '0';
    return s;
}

std::string bytesOf(const ByteArray& b) {
    return std::string(reinterpret_cast<const char*>(b.getData()), b.length());
}

void checkBoolArray(const std::string& text, const std::string& bytes, unsigned int flags,
                    unsigned int count) {
    // Text: '0' and '1' in reading order, everything else ignored. A String
    // holds every byte, embedded NULs included; whether reading stops at a
    // NUL is the question this comparison settles, so the model reads all.
    const bool reversed = flags & 1;
    std::vector<bool> fromText;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = reversed ? text[text.size() - 1 - k] : text[k];
        if (c == '0' || c == '1') fromText.push_back(c == '1');
    }
    const BoolArray read(korvane_fuzz::text(text), reversed);
    FUZZ_CHECK(elementsOf(read) == fromText);
    FUZZ_CHECK(korvane_fuzz::str(read.toString()) == bitsText(fromText));
    FUZZ_CHECK(BoolArray(read.toString(), true) == read);

    // Bytes: 8 bits a byte, minus the unused bits of the last one.
    const bool lsbFirst = flags & 2;
    const unsigned int unused = count % 10;
    std::vector<bool> fromBytes;
    if (!bytes.empty() && unused <= 7) {
        const std::size_t n = 8 * bytes.size() - unused;
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned char byte = static_cast<unsigned char>(bytes[i / 8]);
            fromBytes.push_back((byte >> (lsbFirst ? i % 8 : 7 - i % 8)) & 1);
        }
    }
    const BoolArray unpacked(ByteArray(bytes.data(), static_cast<unsigned int>(bytes.size())), unused,
                             lsbFirst);
    FUZZ_CHECK(elementsOf(unpacked) == fromBytes);

    // Packing: element i is bit i % 8 of byte i / 8, no high zero bytes, a
    // single 00 when nothing is set, nothing for an empty array.
    for (const std::vector<bool>* v : {&fromText, &fromBytes}) {
        const BoolArray a = v == &fromText ? read : unpacked;
        std::string packed;
        if (!v->empty()) {
            packed.assign((v->size() + 7) / 8, '\0');
            for (std::size_t i = 0; i < v->size(); ++i)
                if ((*v)[i]) packed[i / 8] = static_cast<char>(packed[i / 8] | (1 << (i % 8)));
            while (packed.size() > 1 && packed.back() == '\0') packed.pop_back();
        }
        FUZZ_CHECK(bytesOf(a.toByteArray()) == packed);
        FUZZ_CHECK(bytesOf(ByteArray(a)) == packed);

        bool clear = true;
        for (bool b : *v) clear = clear && !b;
        FUZZ_CHECK(a.isClear() == clear);
        std::vector<bool> msb = *v, lsb = *v;
        while (!msb.empty() && !msb.back()) msb.pop_back();
        while (!lsb.empty() && !lsb.front()) lsb.erase(lsb.begin());
        BoolArray trimmed(a);
        FUZZ_CHECK(elementsOf(trimmed.trimMSB()) == msb);
        trimmed = a;
        FUZZ_CHECK(elementsOf(trimmed.trimLSB()) == lsb);
    }

    std::vector<bool> joined = fromText;
    joined.insert(joined.end(), fromBytes.begin(), fromBytes.end());
    joined.push_back(flags & 4);
    BoolArray sum = read + unpacked;
    sum += static_cast<bool>(flags & 4);
    FUZZ_CHECK(elementsOf(sum) == joined);
    BoolArray self(read);
    self += self;
    std::vector<bool> twice = fromText;
    twice.insert(twice.end(), fromText.begin(), fromText.end());
    FUZZ_CHECK(elementsOf(self) == twice);
}

void checkIntArray(const std::string& text) {
    // Parts between runs of dots, each read by String::toInt; the text ends
    // at its first NUL, as the tokenizer reads it.
    std::vector<int> expected;
    const std::string visible(text.c_str());
    std::string part;
    for (std::size_t i = 0; i <= visible.size(); ++i) {
        if (i == visible.size() || visible[i] == '.') {
            if (!part.empty()) expected.push_back(String(part.c_str()).toInt());
            part.clear();
        } else {
            part += visible[i];
        }
    }
    const IntArray oid(korvane_fuzz::text(text));
    FUZZ_CHECK(elementsOf(oid) == expected);

    std::string printed;
    for (std::size_t i = 0; i < expected.size(); ++i)
        printed += (i ? "." : "") + std::to_string(expected[i]);
    if (expected.empty()) printed = "Null";
    FUZZ_CHECK(korvane_fuzz::str(oid.toString()) == printed);
    if (!expected.empty()) FUZZ_CHECK(IntArray(oid.toString()) == oid);

    IntArray longer(oid);
    longer += 7;
    FUZZ_CHECK(longer != oid && longer.length() == oid.length() + 1 && longer[oid.length()] == 7);
    FUZZ_CHECK(elementsOf(oid + longer).size() == 2 * expected.size() + 1);
    IntArray copied;
    copied.setValue(expected.empty() ? nullptr : expected.data(), static_cast<unsigned int>(expected.size()));
    FUZZ_CHECK(copied == oid);
}

void checkSystem(std::uint32_t length, const std::string& bytes, unsigned int count) {
    std::string der;
    if (length < 128) {
        der += static_cast<char>(length);
    } else {
        std::string digits;
        for (std::uint32_t v = length; v != 0; v >>= 8) digits.insert(digits.begin(), static_cast<char>(v & 0xFF));
        der += static_cast<char>(0x80 + digits.size());
        der += digits;
    }
    FUZZ_CHECK(bytesOf(System::getDEREncodedLength(length)) == der);

    const ByteArray array(bytes.data(), static_cast<unsigned int>(bytes.size()));
    if (bytes.empty()) {
        bool thrown = false;
        try {
            System::calcNumberOfInsignificantBits(array);
        } catch (const IndexOutOfRange&) {
            thrown = true;
        }
        FUZZ_CHECK(thrown);
    } else {
        const unsigned char last = static_cast<unsigned char>(bytes.back());
        unsigned int zeros = 0;
        while (zeros < 8 && !((last >> zeros) & 1)) ++zeros;
        FUZZ_CHECK(System::calcNumberOfInsignificantBits(array) == zeros);
    }

    const unsigned int unused = count % 10;
    std::string bits;
    for (unsigned char byte : bytes)
        for (int bit = 7; bit >= 0; --bit) bits += (byte >> bit) & 1 ? '1' : '0';
    if (bytes.empty()) bits = "00000000";
    else if (unused <= 7) bits.resize(bits.size() - unused);
    try {
        FUZZ_CHECK(korvane_fuzz::str(System::toBitString(array, unused)) == bits);
        FUZZ_CHECK(unused <= 7);
    } catch (const QuillonException& e) {
        FUZZ_CHECK(unused > 7 && e.getErrNo(0) == 23);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    const unsigned int flags = data[0], count = data[1];
    const std::uint32_t length = (std::uint32_t(data[2]) << 24) | (data[3] << 16) | (data[4] << 8) | data[5];
    korvane_fuzz::Pieces pieces(data + 6, size - 6);
    const std::string text = pieces.next(), bytes = pieces.next().substr(0, 64);

    checkBoolArray(text, bytes, flags, count);
    checkIntArray(text);
    checkSystem(length >> (flags >> 3), bytes, count);
    return 0;
}
