// Rect(const String&) against pieces split by hand and read with strtol,
// clamped to the int range; the printed form (decimal whatever the stream's
// flags, no line end), with its frame removed, reads back to the same four
// values; the default value is all zeros.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "korvane/Rect.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {

std::vector<int> model(const std::string& input) {
    const std::string text(input.c_str());  // the text ends at its first NUL
    std::vector<int> values(4, 0);
    std::size_t at = 0, index = 0;
    while (index < 4) {
        while (at < text.size() && text[at] == ',') ++at;
        if (at == text.size()) break;
        const std::size_t end = std::min(text.find(',', at), text.size());
        const std::string piece = text.substr(at, end - at);
        errno = 0;
        const long value = std::strtol(piece.c_str(), nullptr, 10);
        values[index++] = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : int(value);
        at = end;
    }
    return values;
}

std::vector<int> of(const Rect& r) { return {r.first(), r.second(), r.third(), r.fourth()}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const Rect rect(korvane_fuzz::text(input));
    FUZZ_CHECK(of(rect) == model(input));

    std::ostringstream out;
    out << std::hex << rect;
    const std::string printed = out.str();
    FUZZ_CHECK(printed.compare(0, 6, "Rect (") == 0 && printed.back() == ')');
    const Rect again(String(printed.substr(6, printed.size() - 7).c_str()));
    FUZZ_CHECK(of(again) == of(rect));

    Rect copy;
    FUZZ_CHECK(of(copy) == std::vector<int>(4, 0));
    copy = again;
    FUZZ_CHECK(of(Rect(copy)) == of(rect));
    return 0;
}
