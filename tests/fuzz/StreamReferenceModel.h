// A reference model of an InputStream over a byte source, for the stream
// fuzz target.
//
// The model keeps what the caller can observe: the bytes waiting in the
// push-back buffer, the unread rest of the source, the chunk size of the
// source and the count. It describes each operation by its effect rather than
// by the stream's own steps.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

namespace korvane_test {

struct StreamModel {
    std::string pushedBack;
    std::string source;
    std::size_t position = 0;
    std::size_t chunkSize = 0;
    std::uint64_t count = 0;

    std::size_t sourceLeft() const { return source.size() - position; }
    bool hasData() const { return !pushedBack.empty() || sourceLeft() != 0; }

    std::string chunk() {
        std::string result;
        if (!pushedBack.empty()) {
            result.swap(pushedBack);
        } else {
            result = source.substr(position, std::min(chunkSize, sourceLeft()));
            position += result.size();
        }
        count += result.size();
        return result;
    }

    // The next min(n, everything) bytes. When the push-back buffer cannot
    // serve them alone, whole source chunks are taken until n is covered and
    // whatever was taken beyond n waits in the push-back buffer afterwards.
    std::string readBlob(std::size_t n) {
        if (n == 0) return std::string();
        if (pushedBack.size() >= n) {
            std::string result = pushedBack.substr(0, n);
            pushedBack.erase(0, n);
            count += n;
            return result;
        }
        std::string taken = pushedBack;
        while (taken.size() < n && sourceLeft() != 0) {
            const std::size_t piece = std::min(chunkSize, sourceLeft());
            taken += source.substr(position, piece);
            position += piece;
        }
        const std::size_t delivered = std::min(n, taken.size());
        pushedBack = taken.substr(delivered);
        count += delivered;
        return taken.substr(0, delivered);
    }

    std::string remaining() const { return pushedBack + source.substr(position); }
};

}  // namespace korvane_test
