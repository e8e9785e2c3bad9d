// RegularExpression::glob2RegularExpression against fnmatch: the converted
// pattern compiles and matches a name exactly when fnmatch matches it with
// the glob ('*' any text, '\' escaping the next character, every other
// character itself, so a literal '?', '[', '*' or '\' is escaped for
// fnmatch). The names: the glob spelled out with a filler for each star,
// with one literal character changed, with one character more, the filler
// and the glob itself. Only a trailing backslash with nothing to escape
// fails, with IndexOutOfRange.
//
// Input: glob 0xFF filler text for the stars.
#include <fnmatch.h>

#include <algorithm>
#include <vector>

#include "FuzzSupport.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/QuillonException.h"
#include "korvane/RegularExpression.h"
#include "regex/RegexProgram.h"

using namespace Korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane_fuzz::Pieces pieces(data, size);
    const std::string glob = pieces.next().substr(0, 64);
    const std::string filler = std::string(pieces.next().c_str()).substr(0, 16);
    const std::size_t backslashes = glob.size() - 1 - glob.find_last_not_of('\\');
    String converted;
    try {
        converted = RegularExpression::glob2RegularExpression(korvane_fuzz::text(glob));
        FUZZ_CHECK(backslashes % 2 == 0);
    } catch (const IndexOutOfRange&) {
        FUZZ_CHECK(backslashes % 2 == 1);
        return 0;
    }
    // A pattern ends at its first NUL, so only globs without one are whole.
    // Each star is a .* that backtracking tries at every split, so a name is
    // matched only against globs with a few stars.
    if (std::string(glob.c_str()).size() != glob.size() || std::count(glob.begin(), glob.end(), '*') > 4) return 0;

    std::string name, peerPattern;
    std::vector<std::size_t> literals;  // positions in `name` of literal characters
    for (std::size_t i = 0; i < glob.size(); ++i) {
        if (glob[i] == '*') {
            name += filler.substr(0, (i * 7 + filler.size()) % (filler.size() + 1));
            peerPattern += '*';
            continue;
        }
        if (glob[i] == '\\') ++i;
        literals.push_back(name.size());
        name += glob[i];
        if (std::string("?[*\\").find(glob[i]) != std::string::npos) peerPattern += '\\';
        peerPattern += glob[i];
    }
    std::string changed = name;
    if (!literals.empty()) {
        char& c = changed[literals[data[0] % literals.size()]];
        c = c == 'x' ? 'y' : 'x';
    }
    for (const std::string& subject : {name, changed, name + "q", filler, glob}) {
        try {
            RegularExpression re(converted, subject.c_str());
            FUZZ_CHECK(RegularExpressionInternals::matched(re) == (fnmatch(peerPattern.c_str(), subject.c_str(), 0) == 0));
        } catch (const QuillonException& e) {
            std::fprintf(stderr, "converted pattern \"%s\" does not compile: error %d\n", converted.getData(), e.getErrNo(0));
            FUZZ_CHECK(false);
        }
    }
    return 0;
}
