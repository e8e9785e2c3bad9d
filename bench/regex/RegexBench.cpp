// RegularExpression beside glibc's regexec and std::regex on the same 1 MB
// text: four searches whose only match is planted at the very end (so every
// engine scans the whole text), and a walk over all the numbers in the text.
// Then the searches that plain backtracking answers in exponential time (a
// nested repetition over k letters a, then "b!": every start is tried and
// fails at $), each to finish within 50 ms at k = 10,000, and a.*b.*c
// without a match over the start of the text with its c's removed (cubic
// for plain backtracking), beside glibc.
//
// Our searches include what a caller pays: constructing the object copies
// the subject (twice: to ASCII bytes, then into the object) and compiles the
// pattern. glibc compiles once outside the loop; its walk passes REG_STARTEND
// so it does not measure the string again at every step. std::regex recurses
// once per byte on patterns such as a.*b.*c, so it runs on a thread with a
// large stack. Times are the CPU time of the whole process (that thread
// included), which other load on the machine disturbs least.
#include <benchmark/benchmark.h>
#include <pthread.h>
#include <regex.h>

#include <functional>
#include <random>
#include <regex>
#include <stdexcept>
#include <string>

#include "korvane/RegularExpression.h"
#include "korvane/String.h"

using namespace Korvane;

namespace {

// Words of certificate prose, none holding "ing", "quartzite" or "barbaz".
const char* const kWords[] = {
    "the", "of", "and", "to", "in", "a", "is", "that", "for", "it", "as", "was", "with", "be",
    "by", "on", "not", "this", "are", "or", "from", "at", "which", "but", "have", "an", "had",
    "they", "you", "were", "their", "one", "all", "we", "can", "has", "there", "been", "if",
    "more", "when", "will", "would", "who", "so", "no", "foo", "bar", "baz", "certificate",
    "signature", "key", "public", "private", "authority", "revocation", "list", "issuer",
    "subject", "serial", "number", "valid", "after", "before", "extension", "policy",
    "constraint", "name", "chain", "trust", "anchor", "path", "length", "usage", "digest",
    "algorithm", "modulus", "exponent", "curve", "point", "field", "octet", "bit", "text",
    "time", "date", "zone", "encoded", "unique", "relative", "attribute", "value"};

// About 1 MB of sentences with a number every dozen words or so, then the
// planted matches.
const std::string& text() {
    static const std::string built = [] {
        std::mt19937 random(2024);
        std::string t;
        const std::size_t wordCount = sizeof kWords / sizeof kWords[0];
        while (t.size() < (std::size_t(1) << 20) - 64) {
            t += kWords[random() % wordCount];
            const unsigned int roll = random() % 24;
            if (roll == 0) t += ',';
            if (roll == 1) t += '.';
            t += ' ';
            if (roll == 2 || roll == 3) {
                t += std::to_string(random() % 1000000);
                t += ' ';
            }
        }
        t += "quartzite walking barbaz.";
        return t;
    }();
    return built;
}

const String& korvaneText() {
    static const String s(text().c_str());
    return s;
}

// Runs `work` on a thread with a 1 GB stack (reserved, touched only as used).
void onLargeStack(const std::function<void()>& work) {
    struct Call {
        const std::function<void()>* work;
        std::exception_ptr error;
    } call{&work, nullptr};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, std::size_t(1) << 30);
    pthread_t thread;
    const int started = pthread_create(
        &thread, &attributes,
        [](void* argument) -> void* {
            Call* c = static_cast<Call*>(argument);
            try {
                (*c->work)();
            } catch (...) {
                c->error = std::current_exception();
            }
            return nullptr;
        },
        &call);
    pthread_attr_destroy(&attributes);
    if (started != 0) throw std::runtime_error("no thread");
    pthread_join(thread, nullptr);
    if (call.error) std::rethrow_exception(call.error);
}

// ---- Searches ---------------------------------------------------------------

void searchKorvane(benchmark::State& state, const char* pattern, const char* expected) {
    const String& subject = korvaneText();
    for (auto _ : state) {
        RegularExpression re(pattern, subject);
        benchmark::DoNotOptimize(re.hasExpression());
        if (!state.counters.count("checked")) {
            if (std::string(re.substitute("&").getData()).find(expected) == std::string::npos)
                state.SkipWithError("wrong match");
            state.counters["checked"] = 1;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text().size()));
}

void searchGlibc(benchmark::State& state, const char* pattern, const char* expected) {
    regex_t compiled;
    if (regcomp(&compiled, pattern, REG_EXTENDED) != 0) {
        state.SkipWithError("regcomp");
        return;
    }
    const char* subject = text().c_str();
    for (auto _ : state) {
        regmatch_t match;
        const int result = regexec(&compiled, subject, 1, &match, 0);
        benchmark::DoNotOptimize(result);
        if (result != 0 || std::string(subject + match.rm_so, subject + match.rm_eo).find(expected) ==
                               std::string::npos)
            state.SkipWithError("wrong match");
    }
    regfree(&compiled);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text().size()));
}

void searchStdRegex(benchmark::State& state, const char* pattern, const char* expected) {
    const std::regex compiled(pattern, std::regex::extended);
    const std::string& subject = text();
    for (auto _ : state) {
        std::smatch match;
        bool found = false;
        onLargeStack([&] { found = std::regex_search(subject, match, compiled); });
        if (!found || match.str().find(expected) == std::string::npos)
            state.SkipWithError("wrong match");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text().size()));
}

// ---- Walking all numbers ----------------------------------------------------

void walkKorvane(benchmark::State& state) {
    const String& subject = korvaneText();
    for (auto _ : state) {
        RegularExpression re("[0-9]+", subject);
        long count = 0;
        while (re.hasExpression()) {
            benchmark::DoNotOptimize(re.nextMatch(0));
            ++count;
        }
        state.counters["matches"] = static_cast<double>(count);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text().size()));
}

void walkGlibc(benchmark::State& state) {
    regex_t compiled;
    regcomp(&compiled, "[0-9]+", REG_EXTENDED);
    const std::string& subject = text();
    for (auto _ : state) {
        long count = 0;
        regmatch_t match;
        match.rm_so = 0;
        match.rm_eo = static_cast<regoff_t>(subject.size());
        while (regexec(&compiled, subject.c_str(), 1, &match, REG_STARTEND) == 0 &&
               match.rm_eo > match.rm_so) {
            benchmark::DoNotOptimize(std::string(subject, match.rm_so, match.rm_eo - match.rm_so));
            ++count;
            match.rm_so = match.rm_eo;
            match.rm_eo = static_cast<regoff_t>(subject.size());
        }
        state.counters["matches"] = static_cast<double>(count);
    }
    regfree(&compiled);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text().size()));
}

void walkStdRegex(benchmark::State& state) {
    const std::regex compiled("[0-9]+", std::regex::extended);
    const std::string& subject = text();
    for (auto _ : state) {
        long count = 0;
        for (std::sregex_iterator it(subject.begin(), subject.end(), compiled), end; it != end;
             ++it) {
            benchmark::DoNotOptimize(it->str());
            ++count;
        }
        state.counters["matches"] = static_cast<double>(count);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text().size()));
}

// ---- Searches that plain backtracking cannot finish ----------------------

void pathologicalKorvane(benchmark::State& state, const char* pattern) {
    const String subject((std::string(static_cast<std::size_t>(state.range(0)), 'a') + "b!").c_str());
    for (auto _ : state) {
        RegularExpression re(pattern, subject);
        if (re.hasExpression()) state.SkipWithError("a match");
    }
}

// The first `length` bytes of the text, every c made a k.
std::string withoutC(std::size_t length) {
    std::string subject = text().substr(0, length);
    for (char& c : subject)
        if (c == 'c') c = 'k';
    return subject;
}

void noMatchKorvane(benchmark::State& state) {
    const String subject(withoutC(static_cast<std::size_t>(state.range(0))).c_str());
    for (auto _ : state) {
        RegularExpression re("a.*b.*c", subject);
        if (re.hasExpression()) state.SkipWithError("a match");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * state.range(0)));
}

void noMatchGlibc(benchmark::State& state) {
    regex_t compiled;
    regcomp(&compiled, "a.*b.*c", REG_EXTENDED);
    const std::string subject = withoutC(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        regmatch_t match;
        if (regexec(&compiled, subject.c_str(), 1, &match, 0) == 0) state.SkipWithError("a match");
    }
    regfree(&compiled);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * state.range(0)));
}

const char* const kPathological[] = {"((a+)+)+b$", "(a+)+b$",  "(.+)+b$",       "a.*b.*c",
                                     "(a|a)*b$",   "(a|aa)*b$", "(((a+)+)+)+b$", "((((a+)+)+)+)+b$"};

struct SearchCase {
    const char* name;
    const char* pattern;
    const char* expected;  // the match must contain this
};

const SearchCase kSearches[] = {
    {"Literal", "quartzite", "quartzite"},
    {"WordEndingInIng", "[a-z]+ing", "walking"},
    {"Alternation", "(foo|bar)baz", "barbaz"},
    {"DotStars", "a.*b.*c", "a"},
};

}  // namespace

int main(int argc, char** argv) {
    for (const SearchCase& c : kSearches) {
        const std::string name = std::string("Search") + c.name;
        benchmark::RegisterBenchmark((name + "/Korvane").c_str(), searchKorvane, c.pattern, c.expected)
            ->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
        benchmark::RegisterBenchmark((name + "/GlibcRegexec").c_str(), searchGlibc, c.pattern,
                                     c.expected)
            ->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
        benchmark::RegisterBenchmark((name + "/StdRegex").c_str(), searchStdRegex, c.pattern,
                                     c.expected)
            ->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
    }
    benchmark::RegisterBenchmark("WalkNumbers/Korvane", walkKorvane)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
    benchmark::RegisterBenchmark("WalkNumbers/GlibcRegexec", walkGlibc)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
    benchmark::RegisterBenchmark("WalkNumbers/StdRegex", walkStdRegex)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

    for (const char* pattern : kPathological)
        benchmark::RegisterBenchmark((std::string("Pathological/") + pattern).c_str(), pathologicalKorvane, pattern)
            ->RangeMultiplier(10)->Range(10, 10000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
    benchmark::RegisterBenchmark("NoMatchDotStars/Korvane", noMatchKorvane)
        ->Arg(10 << 10)->Arg(100 << 10)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
    benchmark::RegisterBenchmark("NoMatchDotStars/GlibcRegexec", noMatchGlibc)
        ->Arg(10 << 10)->Arg(100 << 10)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
