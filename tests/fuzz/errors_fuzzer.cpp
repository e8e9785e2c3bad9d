// Exception stacks of arbitrary libraries, numbers, locations and extra texts:
// the entries come back in order, the accessors beyond the stack give -1 and
// empty texts, every (library, number) has a catalog text, toString is the
// documented concatenation of all entries, and copies and assignments are
// deep. QuillonException and IOException stacks are built on top of others.
//
// Input: pieces of one library byte, four number bytes, the location, 0xFF,
// the extra text, 0xFF.
#include <vector>

#include "FuzzSupport.h"
#include "korvane/Exception.h"
#include "korvane/IOException.h"
#include "korvane/QuillonException.h"

using namespace Korvane;

namespace {

struct Entry {
    int lib;
    unsigned int number;
    std::string location, extra;
};

std::string expectedReport(const Exception& e, const std::vector<Entry>& entries) {
    std::string report;
    for (const Entry& entry : entries) {
        const bool noTable = entry.lib == 1 || entry.lib == 20 || entry.lib == 26 || entry.lib > 32;
        report += "\nLocation : " + entry.location;
        report += "\nError    : ";
        report += noTable ? "Unknown Error"
                          : korvane_fuzz::str(e.getErrorText(entry.number, static_cast<Exception::libraries>(entry.lib)));
        report += "\n" + entry.extra + "\n\n";
    }
    return report;
}

void checkStack(const Exception& e, const std::vector<Entry>& entries) {
    FUZZ_CHECK(e.getErrorStackSize() == entries.size());
    for (unsigned int i = 0; i < entries.size(); ++i) {
        FUZZ_CHECK(e.getLib(i) == entries[i].lib);
        FUZZ_CHECK(static_cast<unsigned int>(e.getErrNo(i)) == entries[i].number);
        FUZZ_CHECK(korvane_fuzz::str(e.getErrLocation(i)) == entries[i].location);
        FUZZ_CHECK(korvane_fuzz::str(e.getExtraInfo(i)) == entries[i].extra);
        const String text = e.getErrorText(entries[i].number, static_cast<Exception::libraries>(entries[i].lib));
        FUZZ_CHECK(text.length() > 0);
    }
    const unsigned int beyond = static_cast<unsigned int>(entries.size());
    FUZZ_CHECK(e.getErrNo(beyond) == -1 && static_cast<int>(e.getLib(beyond)) == -1);
    FUZZ_CHECK(e.getErrLocation(beyond).length() == 0 && e.getExtraInfo(beyond).length() == 0);
    FUZZ_CHECK(e.toString(beyond).length() == 0);
    if (!entries.empty()) {
        const std::string report = expectedReport(e, entries);
        FUZZ_CHECK(korvane_fuzz::str(e.toString(0)) == report);
        FUZZ_CHECK(korvane_fuzz::str(e.toString(beyond - 1)) == report);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane_fuzz::Pieces pieces(data, size);
    std::vector<Entry> entries;
    std::vector<Exception> built;
    while (!pieces.done() && entries.size() < 12) {
        std::string head = pieces.next();
        if (head.size() < 5) break;
        Entry entry;
        entry.lib = static_cast<unsigned char>(head[0]) % 40;
        entry.number = (std::uint32_t(static_cast<unsigned char>(head[1])) << 24) |
                       (static_cast<unsigned char>(head[2]) << 16) |
                       (static_cast<unsigned char>(head[3]) << 8) | static_cast<unsigned char>(head[4]);
        // Mostly small numbers, where the tables are.
        if (!(head[0] & 0x80)) entry.number %= 80;
        entry.location = head.substr(5);
        entry.extra = pieces.next();
        const String location = korvane_fuzz::text(entry.location), extra = korvane_fuzz::text(entry.extra);
        const auto lib = static_cast<Exception::libraries>(entry.lib);
        const unsigned int kind = static_cast<unsigned char>(head[0]) / 40 % 3;
        if (built.empty()) {
            if (kind == 1) {
                entry.lib = Exception::LIB_QUILLON;
                built.push_back(QuillonException(static_cast<int>(entry.number), location, extra));
            } else if (kind == 2) {
                built.push_back(IOException(lib, entry.number, location, extra));
            } else {
                built.push_back(Exception(lib, entry.number, location, extra));
            }
        } else if (kind == 1) {
            built.push_back(QuillonException(lib, entry.number, location, built.back(), extra));
        } else {
            built.push_back(Exception(lib, entry.number, location, built.back(), extra));
        }
        entries.push_back(entry);
        checkStack(built.back(), entries);
    }
    if (built.empty()) return 0;

    // Copies and assignments are deep and keep the stack.
    Exception copy(built.back());
    Exception assigned(Exception::LIB_ASN1, 1, "x", "y");
    assigned = built.front();
    built.clear();
    checkStack(copy, entries);
    checkStack(assigned, std::vector<Entry>(entries.begin(), entries.begin() + 1));
    return 0;
}
