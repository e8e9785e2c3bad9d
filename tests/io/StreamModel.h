// A seeded random walk that drives a real stream and the reference model of
// io/StreamReferenceModel.h side by side.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "io/IoTestSupport.h"
#include "io/StreamReferenceModel.h"
#include "korvane/ByteArrayInputStream.h"
#include "korvane/ByteArrayOutputStream.h"
#include "korvane/InputStream.h"
#include "korvane/QuillonException.h"

namespace korvane_test {

inline std::string randomBytes(std::mt19937& random, std::size_t n) {
    std::string s(n, '\0');
    for (auto& c : s) c = static_cast<char>(random() & 0xff);
    return s;
}

// A length that visits the interesting sizes: 0, a few bytes, around the
// chunk size, and several chunks.
inline std::size_t randomLength(std::mt19937& random, std::size_t chunkSize) {
    switch (random() % 6) {
        case 0: return 0;
        case 1: case 2: return 1 + random() % 16;
        case 3: return chunkSize - 2 + random() % 5;
        case 4: return random() % (chunkSize + 1);
        default: return random() % (3 * chunkSize);
    }
}

using StreamFactory = std::function<std::unique_ptr<Korvane::InputStream>(const std::string&)>;

// Drives `steps` random operations on a stream made by `make` over random
// data and checks every result, the count and hasData() against the model.
// `getByteArray` (optional) reads the stream's remaining bytes without
// consuming them.
inline void runRandomWalk(unsigned int seed, int steps, std::size_t chunkSize,
                          const StreamFactory& make,
                          const std::function<std::string(Korvane::InputStream&)>& getByteArray) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    StreamModel model;
    model.chunkSize = chunkSize;
    model.source = randomBytes(random, random() % (6 * chunkSize));
    std::unique_ptr<Korvane::InputStream> stream = make(model.source);
    ASSERT_TRUE(stream != nullptr);
    Korvane::InputStream& in = *stream;

    for (int step = 0; step < steps; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        const unsigned int operation = random() % 9;
        if (operation == 0 || operation == 1) {
            const std::size_t n = randomLength(random, chunkSize);
            const std::string expected = model.readBlob(n);
            ASSERT_EQ(bytes(in.readBlob(static_cast<unsigned int>(n))), expected)
                << "readBlob " << n;
        } else if (operation == 2) {
            // A read whose bytes go back, the count unchanged.
            const std::size_t n = randomLength(random, chunkSize);
            const std::uint64_t count = model.count;
            const std::string expected = model.readBlob(n);
            model.pushedBack.insert(0, expected);
            model.count = count;
            ASSERT_EQ(bytes(in.peek(static_cast<unsigned int>(n))), expected) << "peek " << n;
        } else if (operation == 3) {
            const std::string expected = model.chunk();
            Korvane::ByteArray chunk("stale");
            in >> chunk;
            ASSERT_EQ(bytes(chunk), expected) << "chunk";
        } else if (operation == 4) {
            const char c = static_cast<char>(random() & 0xff);
            if (model.count == 0) {
                korvane_test::expectError<Korvane::QuillonException>(
                    [&] { in.pushBack(c); }, 31, "InputStream::pushBack(char)", "");
            } else {
                in.pushBack(c);
                model.pushedBack.insert(model.pushedBack.begin(), c);
                --model.count;
            }
        } else if (operation == 5 || operation == 6) {
            // Sometimes exactly the count, sometimes one more than allowed.
            std::size_t n = random() % 3 == 0 ? std::size_t(model.count) + random() % 2
                                              : random() % (std::size_t(model.count) + 2);
            n = std::min<std::size_t>(n, 4 * chunkSize);
            const std::string data = randomBytes(random, n);
            if (n > model.count) {
                korvane_test::expectError<Korvane::QuillonException>(
                    [&] { in.pushBack(byteArray(data)); }, 31,
                    "InputStream::pushBack(const ByteArray&)", "");
            } else {
                in.pushBack(byteArray(data));
                model.pushedBack = data + model.pushedBack;
                model.count -= n;
            }
        } else if (operation == 7) {
            const std::string other = randomBytes(random, randomLength(random, chunkSize));
            Korvane::ByteArrayInputStream otherStream(byteArray(other));
            in << otherStream;
            model.pushedBack += other;
            ASSERT_FALSE(otherStream.hasData());
        } else if (getByteArray) {
            ASSERT_EQ(getByteArray(in), model.remaining()) << "getByteArray";
        }
        ASSERT_EQ(in.getCount(), model.count);
        ASSERT_EQ(in.hasData(), model.hasData());
    }

    Korvane::ByteArrayOutputStream rest;
    in >> rest;
    ASSERT_EQ(bytes(rest.getByteArray()), model.remaining()) << "drained rest";
    ASSERT_FALSE(in.hasData());
}

}  // namespace korvane_test
