#include "korvane/Diagnostics.h"

#include <fstream>
#include <string>

#include "korvane/Synchronized.h"
#include "time/MonotonicClock.h"
#include "runtime/Quietly.h"
#include "text/LoadOrder.h"

namespace Korvane {

using internal::quietly;

namespace {

const char kDefaultFile[] = "trace.log";

int clockReading() { return static_cast<int>(internal::monotonicMillis()); }

const char* charactersOf(const ByteArray& bytes) {
    return reinterpret_cast<const char*>(bytes.getData());
}

}  // namespace

// ---- The trace state, built at its step of the load order ----------------------

// No trace file named yet (the first object picks the default), level 0,
// its own lock.
ByteArray Diagnostics::m_filename KORVANE_LOAD_STEP(LoadDiagnosticsStatics);
int Diagnostics::nests = 0;
Mutex Diagnostics::mutex KORVANE_LOAD_STEP(LoadDiagnosticsStatics);

// ---- Construction -------------------------------------------------------------

// The constructors take the lock as well: the file name is shared, and
// replacing it while another thread opens the file would read a freed buffer.
Diagnostics::Diagnostics(ByteArray stretch) : start(clockReading()), name(stretch), ended(false) {
    quietly([] {
        Synchronized guard(mutex, false);
        if (m_filename.length() == 0) m_filename = ByteArray(kDefaultFile);
    });
}

Diagnostics::Diagnostics(ByteArray stretch, ByteArray fileName)
    : start(clockReading()), name(stretch), ended(false) {
    quietly([&] {
        Synchronized guard(mutex, false);
        m_filename = fileName;
        nests = 0;
    });
}

Diagnostics::Diagnostics(const Diagnostics& other)
    : start(other.start), name(other.name), ended(other.ended) {}

Diagnostics& Diagnostics::operator=(const Diagnostics& other) {
    start = other.start;
    name = other.name;
    ended = other.ended;
    return *this;
}

Diagnostics::~Diagnostics() {
    if (!ended) endTrace();
}

// ---- Writing ------------------------------------------------------------------------

void Diagnostics::append(const char* bytes, unsigned int count) {
    // Text mode: the line feeds go out as they are on this platform.
    std::ofstream file(charactersOf(m_filename), std::ios::out | std::ios::app);
    if (!file) return;
    file.write(bytes, static_cast<std::streamsize>(count));
    file.flush();
}

void Diagnostics::endTrace() {
    quietly([this] {
        Synchronized guard(mutex, false);
        // Unsigned subtraction keeps the difference right across the wrap of
        // the 32-bit clock.
        const int elapsed =
            static_cast<int>(static_cast<unsigned int>(clockReading()) - static_cast<unsigned int>(start));
        std::string line;
        for (int level = 1; level <= nests; ++level) line += "  ";
        line += std::to_string(nests + 1);
        line += ". ";
        line += std::to_string(elapsed);
        line += " (milliseconds)";
        line += " for  ";
        line.append(charactersOf(name), name.length());
        line += '\n';
        append(line.data(), static_cast<unsigned int>(line.size()));
    });
    ended = true;
}

void Diagnostics::startTime() {
    quietly([this] {
        Synchronized guard(mutex, false);
        const std::string line = std::to_string(start) + '\n';
        append(line.data(), static_cast<unsigned int>(line.size()));
    });
}

void Diagnostics::addedInfo(ByteArray info) {
    quietly([&] {
        Synchronized guard(mutex, false);
        append(charactersOf(info), info.length());
    });
}

// ---- Nesting --------------------------------------------------------------------------

Diagnostics::symptoms Diagnostics::nested() {
    symptoms saved{start, ByteArray(), name};
    quietly([&] {
        Synchronized guard(mutex, false);
        saved.fileName = m_filename;
        ++nests;
    });
    return saved;
}

void Diagnostics::refresh(symptoms saved) {
    quietly([&] {
        start = saved.start;
        name = saved.name;
        Synchronized guard(mutex, false);
        m_filename = saved.fileName;
        --nests;
    });
}

}  // namespace Korvane
