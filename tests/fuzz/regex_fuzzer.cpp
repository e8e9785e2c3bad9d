// RegularExpression on arbitrary patterns, subjects, substitution sources and
// globs: compiling either works or throws a compile error of the catalog,
// every match handed out lies in the subject, and a glob's pattern matches
// the glob's own text.
//
// Backtracking is exponential on patterns such as ((a+)+)+b, so patterns are
// cut to 24 bytes and subjects to 10: the worst of those stays far below the
// fuzzer's time limit.
#include <cstring>

#include "FuzzSupport.h"
#include "korvane/IndexOutOfRange.h"
#include "korvane/QuillonException.h"
#include "korvane/RegularExpression.h"

using namespace Korvane;

namespace {

bool isCompileError(int errorNumber) {
    switch (errorNumber) {
    case 5: case 7: case 8: case 10: case 11: case 12: case 13: case 15: case 16:
        return true;
    default:
        return false;
    }
}

std::string cString(const std::string& s) { return s.substr(0, std::strlen(s.c_str())); }

void exercise(const std::string& pattern, const std::string& subject, const std::string& source) {
    try {
        RegularExpression re(pattern.c_str(), subject.c_str());
        for (int step = 0; step < 20 && re.hasExpression(); ++step) {
            const unsigned int count = re.getNumberSubExpressions();
            FUZZ_CHECK(count >= 1 && count <= 10);
            const String whole = re.substitute("&");
            FUZZ_CHECK(whole.length() > 0);
            FUZZ_CHECK(subject.find(std::string(whole.getData(), whole.length())) != std::string::npos);
            const String group = re.nextMatch(count - 1);
            FUZZ_CHECK(subject.find(std::string(group.getData(), group.length())) != std::string::npos);
        }
        (void)re.substitute(source.c_str());
    } catch (const QuillonException& e) {
        FUZZ_CHECK(isCompileError(e.getErrNo(0)));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane_fuzz::Pieces pieces(data, size);
    const std::string pattern = cString(pieces.next()).substr(0, 24);
    const std::string subject = cString(pieces.next()).substr(0, 10);
    const std::string source = pieces.next();
    const std::string glob = cString(pieces.next()).substr(0, 24);

    exercise(pattern, subject, source);

    // A glob's pattern compiles; without escapes the glob's text is one of
    // the names it matches, '*' standing for itself.
    try {
        const String converted = RegularExpression::glob2RegularExpression(glob.c_str());
        RegularExpression re(converted, glob.c_str());
        if (glob.find('\\') == std::string::npos) FUZZ_CHECK(re.getNumberSubExpressions() > 0);
    } catch (const IndexOutOfRange&) {
        FUZZ_CHECK(!glob.empty() && glob.back() == '\\');
    }
    return 0;
}
