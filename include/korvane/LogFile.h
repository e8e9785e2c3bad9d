/// LogFile: the process-wide log.
///
/// The state is static: at most one log is active at a time, writing either to
/// a file the log opens itself or to a stream the caller supplies. Objects only
/// switch the log on (construction) and off (destruction of any LogFile); all
/// writing goes through the static members, which any code may call at any
/// time and which do nothing while no log is active. Every write carries a log
/// type and is dropped unless its type is enabled. Text is 8-bit, lines end in
/// carriage return and line feed, and only endl() flushes. Every member runs
/// under one re-entrant lock; none throws.
/// @class Korvane::LogFile
/// @headerfile LogFile.h "korvane/LogFile.h"
/// @ingroup runtime
#pragma once

#include <iosfwd>
#include <set>

#include "korvane/Export.h"
#include "korvane/Mutex.h"

namespace Korvane {

class String;

class KORVANE_API LogFile {
public:
    /// A log type is a plain number: any int value may be used, written as
    /// LogFile::LOG_TYPE(n). Type 0 passes every filter; types 1 and 2 are
    /// enabled whenever a log becomes active; every other value only through
    /// addType(). The library writes its deprecation notices with type 2.
    enum LOG_TYPE : int {
        LOG_ALWAYS = 0,
        LOG_ERROR = 1,
        LOG_NOTICE = 2
    };

    // ---- Switching the log on and off --------------------------------------
    /// Starts a log in the file `fileName` (created or emptied, binary mode)
    /// with types 1 and 2 enabled. A file that cannot be opened leaves the log
    /// off, silently. When a log is already active nothing changes and the
    /// text "Tried to instantiate another LogFile, one already exists !" is
    /// written into it with type 0 and no line end.
    LogFile(const String& fileName);
    /// The same over the caller's `stream`, which the log neither owns nor
    /// closes; it must stay alive while the log is active.
    LogFile(std::ostream& stream);
    ///@{
    /// Copies and assignment do nothing, but destroying a copy ends the log
    /// like destroying any other LogFile.
    LogFile(const LogFile& other);
    LogFile& operator=(const LogFile& other);
    ///@}
    /// Ends the active log, whichever object started it: closes the log's own
    /// file (a caller's stream is left open) and disables every type.
    virtual ~LogFile();

    // ---- Writing (each dropped unless a log is active and the type passes) --
    ///@{
    /// Writes the text up to its first NUL. The String forms convert through
    /// String::getASCIIByteArray, so the first String written to an active
    /// log in a process is preceded by that member's deprecation notice. A
    /// null text writes nothing.
    static void write(const String& text, LOG_TYPE type);
    static void write(const char* text, LOG_TYPE type);
    ///@}
    ///@{
    /// The same followed by the line end, all under one lock.
    static void writeln(const String& text, LOG_TYPE type);
    static void writeln(const char* text, LOG_TYPE type);
    ///@}
    /// Writes `count` spaces.
    static void indent(unsigned int count, LOG_TYPE type);
    /// Writes the line end and flushes: the only member that flushes.
    static void endl(LOG_TYPE type);

    // ---- Filter ------------------------------------------------------------
    /// Enables `type` (enabling it twice changes nothing), whether or not a
    /// log is active: a type enabled while no log is active stays enabled in
    /// the next log, until a log is destroyed, which disables every type.
    static void addType(LOG_TYPE type);
    /// Disables `type`; type 0 cannot be disabled and is ignored.
    static void removeType(LOG_TYPE type);

private:
    /// Whether a write of `type` goes out; called with `mutex` held.
    static bool passes(LOG_TYPE type);
    /// Writes `count` bytes to the log; called with `mutex` held after passes().
    static void put(const char* bytes, unsigned long count);

    static std::ostream* ostr;
    static std::filebuf fbuf;
    static bool instance;
    static std::set<LOG_TYPE> types;
    static Mutex mutex;
};

}  // namespace Korvane
