// Growth of the byte streams, File and RegularExpression beside the C++
// streams, stdio and glibc's regex doing the same work.
#include <regex.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "GrowthSupport.h"
#include "korvane/ByteArray.h"
#include "korvane/ByteArrayInputStream.h"
#include "korvane/ByteArrayOutputStream.h"
#include "korvane/File.h"
#include "korvane/RegularExpression.h"
#include "korvane/String.h"

using namespace Korvane;

namespace growth {

namespace {

ByteArray bytes(const std::string& s) { return ByteArray(s.data(), static_cast<unsigned int>(s.size())); }
String text(const std::string& s) { return String(std::string_view(s)); }

// A fresh directory for the file benchmarks, removed at exit.
const std::string& scratchDirectory() {
    static const std::string directory = [] {
        char name[] = "/tmp/korvane-growth-XXXXXX";
        const char* made = mkdtemp(name);
        std::string path = made != nullptr ? made : "/tmp";
        std::atexit([] {
            std::remove((scratchDirectory() + "/data").c_str());
            rmdir(scratchDirectory().c_str());
        });
        return path;
    }();
    return directory;
}

// A compiled glibc pattern that frees itself.
struct Compiled {
    regex_t regex;
    explicit Compiled(const char* pattern) { regcomp(&regex, pattern, REG_EXTENDED); }
    Compiled(const Compiled&) = delete;
    ~Compiled() { regfree(&regex); }
};

void addStreams(std::size_t last) {
    const std::size_t first = kFirstElements;
    add("ReadBlob16", "Korvane", first, last, [](std::size_t n) {
        return [data = bytes(randomBytes(n))] {
            ByteArrayInputStream in(data);
            while (in.readBlob(16).length() == 16) {
            }
            keep(in);
        };
    });
    add("ReadBlob16", "istringstream", first, last, [](std::size_t n) {
        return [data = randomBytes(n)] {
            std::istringstream in(data);
            char block[16];
            while (in.read(block, sizeof block).gcount() == 16) keep(block);
        };
    });
    // The same reads, each into a fresh block of its own as readBlob returns.
    add("ReadBlob16", "istringstream+vector", first, last, [](std::size_t n) {
        return [data = randomBytes(n)] {
            std::istringstream in(data);
            for (;;) {
                std::vector<char> block(16);
                if (in.read(block.data(), 16).gcount() != 16) break;
                keep(block);
            }
        };
    });
    add("ReadBlobWhole", "Korvane", first, last, [](std::size_t n) {
        return [data = bytes(randomBytes(n)), n] {
            ByteArrayInputStream in(data);
            keep(in.readBlob(static_cast<unsigned int>(n)));
        };
    });
    add("ReadBlobWhole", "istringstream", first, last, [](std::size_t n) {
        return [data = randomBytes(n)] {
            std::istringstream in(data);
            std::vector<char> out(data.size());
            keep(in.read(out.data(), static_cast<std::streamsize>(out.size())).gcount());
        };
    });
    add("WriteChar", "Korvane", first, last, [](std::size_t n) {
        return [n] {
            ByteArrayOutputStream out;
            for (std::size_t i = 0; i < n; ++i) out << 'x';
            keep(out.getByteArray());
        };
    });
    add("WriteChar", "ostringstream", first, last, [](std::size_t n) {
        return [n] {
            std::ostringstream out;
            for (std::size_t i = 0; i < n; ++i) out.put('x');
            keep(out);
        };
    });
    add("WriteBlocks16", "Korvane", first, last, [](std::size_t n) {
        return [n, block = ByteArray("0123456789abcdef")] {
            ByteArrayOutputStream out;
            for (std::size_t i = 0; i < n / 16; ++i) out << block;
            keep(out.getByteArray());
        };
    });
    add("WriteBlocks16", "ostringstream", first, last, [](std::size_t n) {
        return [n] {
            std::ostringstream out;
            for (std::size_t i = 0; i < n / 16; ++i) out.write("0123456789abcdef", 16);
            keep(out);
        };
    });
    add("Pipe", "Korvane", first, last, [](std::size_t n) {
        return [data = bytes(randomBytes(n))] {
            ByteArrayInputStream in(data);
            ByteArrayOutputStream out;
            in >> out;
            keep(out.getByteArray());
        };
    });
    add("Pipe", "stringstream", first, last, [](std::size_t n) {
        return [data = randomBytes(n)] {
            std::istringstream in(data);
            std::ostringstream out;
            out << in.rdbuf();
            keep(out);
        };
    });
    add("FileSaveLoad", "Korvane", first, last, [](std::size_t n) {
        return [data = bytes(randomBytes(n)), path = String((scratchDirectory() + "/data").c_str())] {
            File::save(path, data);
            keep(File::load(path));
        };
    });
    add("FileSaveLoad", "stdio", first, last, [](std::size_t n) {
        return [data = randomBytes(n), path = scratchDirectory() + "/data"] {
            FILE* out = std::fopen(path.c_str(), "wb");
            std::fwrite(data.data(), 1, data.size(), out);
            std::fclose(out);
            FILE* in = std::fopen(path.c_str(), "rb");
            std::vector<char> back(data.size());
            keep(std::fread(back.data(), 1, back.size(), in));
            std::fclose(in);
        };
    });
}

void addRegularExpressions(std::size_t last) {
    const std::size_t first = kFirstElements;
    const auto literalAtEnd = [](std::size_t n) { return std::string(n, 'a') + "xyz"; };
    add("RegexLiteralAtEnd", "Korvane", first, last, [literalAtEnd](std::size_t n) {
        return [subject = text(literalAtEnd(n)), pattern = String("x[a-z]z")] {
            keep(RegularExpression(pattern, subject).hasExpression());
        };
    });
    add("RegexLiteralAtEnd", "regexec", first, last, [literalAtEnd](std::size_t n) {
        return [subject = literalAtEnd(n)] {
            Compiled compiled("x[a-z]z");
            keep(regexec(&compiled.regex, subject.c_str(), 0, nullptr, 0));
        };
    });
    // Every match needs a c after a b after an a; the only c comes first.
    const std::size_t lastDotStar = elements(100000);
    const auto noOrder = [](std::size_t n) {
        std::string s = "c";
        while (s.size() < n) s += "ab";
        return s;
    };
    add("RegexDotStarNoMatch", "Korvane", first, lastDotStar, [noOrder](std::size_t n) {
        return [subject = text(noOrder(n)), pattern = String("a.*b.*c")] {
            keep(RegularExpression(pattern, subject).hasExpression());
        };
    });
    add("RegexDotStarNoMatch", "regexec", first, lastDotStar, [noOrder](std::size_t n) {
        return [subject = noOrder(n)] {
            Compiled compiled("a.*b.*c");
            keep(regexec(&compiled.regex, subject.c_str(), 0, nullptr, 0));
        };
    });
    const auto words = [](std::size_t n) {
        std::string s;
        while (s.size() < n) s += "abb ";
        return s;
    };
    add("RegexWalk", "Korvane", first, last, [words](std::size_t n) {
        return [subject = text(words(n)), pattern = String("ab+")] {
            RegularExpression re(pattern, subject);
            std::size_t count = 0;
            for (; re.hasExpression(); ++count) re.nextMatch(0);
            keep(count);
        };
    });
    add("RegexWalk", "regexec", first, last, [words](std::size_t n) {
        return [subject = words(n)] {
            Compiled compiled("ab+");
            regmatch_t match[1];
            std::size_t count = 0;
            for (const char* at = subject.c_str(); regexec(&compiled.regex, at, 1, match, at == subject.c_str() ? 0 : REG_NOTBOL) == 0;
                 at += match[0].rm_eo)
                ++count;
            keep(count);
        };
    });
    const auto bracketed = [](std::size_t n) { return "<" + randomLetters(n) + ">"; };
    add("RegexSubstitute", "Korvane", first, last, [bracketed](std::size_t n) {
        auto re = std::make_shared<RegularExpression>(String("<([a-z]+)>"), text(bracketed(n)));
        return [re, source = String("[\\1]")] { keep(re->substitute(source)); };
    });
    add("RegexSubstitute", "std::string", first, last, [bracketed](std::size_t n) {
        return [subject = bracketed(n)] { keep("[" + subject.substr(1, subject.size() - 2) + "]"); };
    });
    const auto glob = [](std::size_t n) {
        std::string s = randomLetters(n);
        for (std::size_t i = 3; i < n; i += 7) s[i] = i % 2 ? '*' : '.';
        return s;
    };
    add("GlobToRegex", "Korvane", first, last, [glob](std::size_t n) {
        return [g = text(glob(n))] { keep(RegularExpression::glob2RegularExpression(g)); };
    });
    add("GlobToRegex", "plain loop", first, last, [glob](std::size_t n) {
        return [g = glob(n)] {
            std::string out = "^";
            for (const char c : g) {
                if (c == '*') {
                    out += ".*";
                    continue;
                }
                if (c == '.') out += '\\';
                out += c;
            }
            keep(out += '$');
        };
    });
}

}  // namespace

void addStreamBenchmarks() {
    const std::size_t last = elements(kLastElements);
    addStreams(last);
    addRegularExpressions(last);
}

}  // namespace growth
