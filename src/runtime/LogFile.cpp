#include "korvane/LogFile.h"

#include <cstring>
#include <fstream>
#include <ostream>

#include "korvane/ByteArray.h"
#include "korvane/String.h"
#include "korvane/Synchronized.h"
#include "runtime/Quietly.h"
#include "text/LoadOrder.h"
#include "text/NoticeWriter.h"

namespace Korvane {

using internal::quietly;

namespace {

const char kLineEnd[] = "\r\n";
const unsigned int kLineEndLength = 2;
const char kAlreadyActive[] = "Tried to instantiate another LogFile, one already exists !";

const char* textOf(const ByteArray& bytes) { return reinterpret_cast<const char*>(bytes.getData()); }

// String's deprecation notices are written with type 2, like any other write.
void writeNotice(const String& notice) { LogFile::write(notice, LogFile::LOG_NOTICE); }

// Built at the log's step of the load order: from then on String's notices
// reach the log.
struct NoticesGoToTheLog {
    NoticesGoToTheLog() { internal::installNoticeWriter(&writeNotice); }
};

}  // namespace

// ---- The log's state, built at its step of the load order --------------------

// Inactive, no types enabled, its own lock.
std::ostream* LogFile::ostr = nullptr;
std::filebuf LogFile::fbuf KORVANE_LOAD_STEP(LoadLogFileStatics);
bool LogFile::instance = false;
std::set<LogFile::LOG_TYPE> LogFile::types KORVANE_LOAD_STEP(LoadLogFileStatics);
Mutex LogFile::mutex KORVANE_LOAD_STEP(LoadLogFileStatics);
static const NoticesGoToTheLog noticesGoToTheLog KORVANE_LOAD_STEP(LoadLogFileStatics);

// ---- Switching the log on and off --------------------------------------------

LogFile::LogFile(const String& fileName) {
    bool alreadyActive = false;
    quietly([&] {
        Synchronized guard(mutex, false);
        if (instance) {
            alreadyActive = true;
            return;
        }
        // toASCIIByteArray, not the deprecated member: opening the log must
        // not use up the notice before there is a log to receive it.
        const ByteArray path = fileName.toASCIIByteArray();
        if (fbuf.open(textOf(path), std::ios::out | std::ios::binary | std::ios::trunc) == nullptr)
            return;
        try {
            ostr = new std::ostream(&fbuf);
        } catch (...) {
            fbuf.close();
            throw;
        }
        instance = true;
        // The lock is held already; the re-entrant Mutex lets addType take it again.
        addType(LOG_NOTICE);
        addType(LOG_ERROR);
    });
    // Written only after the lock is released, as a second writer would.
    if (alreadyActive) write(kAlreadyActive, LOG_ALWAYS);
}

LogFile::LogFile(std::ostream& stream) {
    bool alreadyActive = false;
    quietly([&] {
        Synchronized guard(mutex, false);
        if (instance) {
            alreadyActive = true;
            return;
        }
        ostr = &stream;
        instance = true;
        addType(LOG_NOTICE);
        addType(LOG_ERROR);
    });
    if (alreadyActive) write(kAlreadyActive, LOG_ALWAYS);
}

LogFile::LogFile(const LogFile&) {}

LogFile& LogFile::operator=(const LogFile&) { return *this; }

LogFile::~LogFile() {
    quietly([] {
        Synchronized guard(mutex, false);
        if (!instance) return;
        if (fbuf.is_open()) {
            fbuf.close();
            delete ostr;
        }
        ostr = nullptr;
        instance = false;
        // Types added for this log must not carry over to the next one.
        types.clear();
    });
}

// ---- Writing ------------------------------------------------------------------

bool LogFile::passes(LOG_TYPE type) {
    return instance && (type == LOG_ALWAYS || types.count(type) != 0);
}

void LogFile::put(const char* bytes, unsigned long count) {
    ostr->write(bytes, static_cast<std::streamsize>(count));
}

void LogFile::write(const String& text, LOG_TYPE type) {
    quietly([&] {
        Synchronized guard(mutex, false);
        // The filter comes first so that a dropped write does not use up the
        // conversion's one-time notice.
        if (!passes(type)) return;
        const ByteArray bytes = text.getASCIIByteArray();
        put(textOf(bytes), std::strlen(textOf(bytes)));
    });
}

void LogFile::write(const char* text, LOG_TYPE type) {
    if (text == nullptr) return;
    quietly([&] {
        Synchronized guard(mutex, false);
        if (passes(type)) put(text, std::strlen(text));
    });
}

void LogFile::writeln(const String& text, LOG_TYPE type) {
    quietly([&] {
        Synchronized guard(mutex, false);
        if (!passes(type)) return;
        const ByteArray bytes = text.getASCIIByteArray();
        put(textOf(bytes), std::strlen(textOf(bytes)));
        put(kLineEnd, kLineEndLength);
    });
}

void LogFile::writeln(const char* text, LOG_TYPE type) {
    if (text == nullptr) return;
    quietly([&] {
        Synchronized guard(mutex, false);
        if (!passes(type)) return;
        put(text, std::strlen(text));
        put(kLineEnd, kLineEndLength);
    });
}

void LogFile::indent(unsigned int count, LOG_TYPE type) {
    quietly([&] {
        Synchronized guard(mutex, false);
        if (!passes(type)) return;
        static const char kSpaces[] = "                                ";
        const unsigned int chunk = sizeof kSpaces - 1;
        for (unsigned int left = count; left != 0;) {
            const unsigned int now = left < chunk ? left : chunk;
            put(kSpaces, now);
            left -= now;
        }
    });
}

void LogFile::endl(LOG_TYPE type) {
    quietly([&] {
        Synchronized guard(mutex, false);
        if (!passes(type)) return;
        put(kLineEnd, kLineEndLength);
        ostr->flush();
    });
}

// ---- Filter -------------------------------------------------------------------

void LogFile::addType(LOG_TYPE type) {
    quietly([&] {
        Synchronized guard(mutex, false);
        types.insert(type);
    });
}

void LogFile::removeType(LOG_TYPE type) {
    if (type == LOG_ALWAYS) return;
    quietly([&] {
        Synchronized guard(mutex, false);
        types.erase(type);
    });
}

}  // namespace Korvane
