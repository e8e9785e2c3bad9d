// RegularExpression against the model of tests/regex/RegexBacktrackingModel.h:
// a parser that reports the same compile errors and a backtracking matcher
// with leftmost-first order, here remembering its failures so that patterns
// such as ((a+)+)+b cost it polynomial time as they cost the library. One
// input gives the pattern, the subject, a substitution source and the
// sub-match indexes of a nextMatch walk. Compared after every step: whether
// a match was found, all ten sub-match slots (through the white-box view),
// getNumberSubExpressions, hasExpression, the text nextMatch hands out and
// its errors 1 and 2, and substitute. A copy answers as the original.
// Patterns are cut to 32 bytes and subjects to 12.
#include <functional>
#include <memory>

#include "FuzzSupport.h"
#include "korvane/QuillonException.h"
#include "korvane/RegularExpression.h"
#include "regex/RegexBacktrackingModel.h"
#include "regex/RegexProgram.h"

using namespace Korvane;
using regex_model::Alternation;
using regex_model::CompileError;
using regex_model::Matcher;
using regex_model::Parser;

namespace {

// substitute's model: '&' and \0..\9 give the slots' texts, \\ and \& the
// character; the source ends at its first NUL.
std::string regsub(const std::string& source, const std::string& subject, const Matcher& m) {
    std::string out;
    const std::string visible(source.c_str());
    for (std::size_t i = 0; i < visible.size(); ++i) {
        const char c = visible[i], d = i + 1 < visible.size() ? visible[i + 1] : '\0';
        const int slot = c == '&' ? 0 : c == '\\' && d >= '0' && d <= '9' ? d - '0' : -1;
        if (slot < 0) {
            out += c == '\\' && (d == '\\' || d == '&') ? visible[++i] : c;
            continue;
        }
        i += c == '\\';
        if (m.start[slot] >= 0 && m.end[slot] > m.start[slot]) out += subject.substr(m.start[slot], m.end[slot] - m.start[slot]);
    }
    return out;
}

void compareState(const RegularExpression& re, const Matcher& model, bool found) {
    FUZZ_CHECK(RegularExpressionInternals::matched(re) == found);
    FUZZ_CHECK(re.hasExpression() == (found && model.end[0] != model.start[0]));
    if (!found) return;
    const regex::Program* program = RegularExpressionInternals::program(re);
    const char* base = RegularExpressionInternals::subject(re);
    unsigned int set = 0;
    for (int i = 0; i < 10; ++i) {
        FUZZ_CHECK((program->startp[i] ? program->startp[i] - base : -1) == model.start[i]);
        FUZZ_CHECK((program->endp[i] ? program->endp[i] - base : -1) == model.end[i]);
        set += set == static_cast<unsigned int>(i) && model.start[i] >= 0;
    }
    FUZZ_CHECK(re.getNumberSubExpressions() == set);
}

int errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const QuillonException& e) {
        return e.getErrNo(0);
    }
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane_fuzz::Pieces pieces(data, size);
    const std::string pattern = std::string(pieces.next().c_str()).substr(0, 32);
    const std::string subject = std::string(pieces.next().c_str()).substr(0, 12);
    const std::string source = pieces.next(), walk = pieces.next();

    int expectedError = 0;
    Alternation program;
    try {
        program = Parser(pattern).top();
    } catch (const CompileError& e) {
        expectedError = e.number;
    }
    std::unique_ptr<RegularExpression> re;
    const int error = errorOf([&] { re.reset(new RegularExpression(pattern.c_str(), subject.c_str())); });
    if (error != expectedError) {
        std::fprintf(stderr, "pattern \"%s\": error %d, model %d\n", pattern.c_str(), error, expectedError);
        FUZZ_CHECK(false);
    }
    if (error != 0) return 0;

    Matcher model{&program, &subject};
    bool found = model.search(0);
    compareState(*re, model, found);
    for (std::size_t step = 0; step < 8 && found; ++step) {
        const unsigned int index = step < walk.size() ? static_cast<unsigned char>(walk[step]) % 11 : 0;
        FUZZ_CHECK(korvane_fuzz::str(re->substitute(korvane_fuzz::text(source))) == regsub(source, subject, model));
        if (step == 2) {  // a copy carries on alike, the original gone
            std::unique_ptr<RegularExpression> copy(new RegularExpression(*re));
            re = std::move(copy);
            compareState(*re, model, found);
        }
        if (index >= 10 || model.start[index] < 0) {
            FUZZ_CHECK(errorOf([&] { re->nextMatch(index); }) == (index >= 10 ? 1 : 2));
            compareState(*re, model, found);
            continue;
        }
        const long start = model.start[index], end = model.end[index], previousEnd = model.end[0];
        FUZZ_CHECK(start <= end && end <= static_cast<long>(subject.size()));
        FUZZ_CHECK(korvane_fuzz::str(re->nextMatch(index)) == subject.substr(start, end - start));
        found = model.search(previousEnd);
        FUZZ_CHECK(!found || model.start[0] >= previousEnd);
        compareState(*re, model, found);
    }
    return 0;
}
