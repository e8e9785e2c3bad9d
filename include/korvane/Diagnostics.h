/// Diagnostics: trace timing of stretches of work.
///
/// An object starts its clock when it is built and appends one line to the
/// process-wide trace file when endTrace() is called or, failing that, when it
/// is destroyed. A process-wide nesting level indents and numbers the lines of
/// inner stretches; nested() and refresh() save and restore an object's trace
/// state around one. The clock counts milliseconds and never goes backwards.
/// Every write opens the trace file for appending and closes it again; a file
/// that cannot be opened loses the write silently. Nothing here throws.
/// @class Korvane::Diagnostics
/// @headerfile Diagnostics.h "korvane/Diagnostics.h"
/// @ingroup runtime
#pragma once

#include "korvane/ByteArray.h"
#include "korvane/Export.h"
#include "korvane/Mutex.h"

namespace Korvane {

class KORVANE_API Diagnostics {
public:
    /// The trace state that nested() saves and refresh() restores.
    struct symptoms {
        int start;           ///< the clock reading the object started from
        ByteArray fileName;  ///< the trace file in use when the state was saved
        ByteArray name;      ///< the name of the traced stretch
    };

    // ---- Construction ------------------------------------------------------
    /// Starts the clock for the stretch `name`. The first such object in the
    /// process names the trace file "trace.log" (in the working directory of
    /// each write); the nesting level is left as it is.
    Diagnostics(ByteArray name);
    /// Starts a new top-level trace in `fileName`: every later write of every
    /// object goes to that file, and the nesting level becomes 0.
    Diagnostics(ByteArray name, ByteArray fileName);
    ///@{
    /// Copy the start, the name and whether the line was written; a copy that
    /// has not ended writes a line of its own when it is destroyed.
    Diagnostics(const Diagnostics& other);
    Diagnostics& operator=(const Diagnostics& other);
    ///@}
    /// Writes the trace line unless endTrace() already did.
    virtual ~Diagnostics();

    // ---- Writing -----------------------------------------------------------
    /// Appends the trace line: two spaces per nesting level, then
    /// "<level + 1>. <elapsed> (milliseconds) for  <name>" and a line feed.
    /// Each call writes a line.
    void endTrace();
    /// Appends a line holding the start reading in decimal.
    void startTime();
    /// Appends every byte of `info` (NULs included), with no line end: the
    /// next line written follows on the same line.
    void addedInfo(ByteArray info);

    // ---- Nesting -----------------------------------------------------------
    /// Returns this object's start and name with the current trace file, and
    /// raises the nesting level by one.
    symptoms nested();
    /// Takes the start, name and trace file from `saved` and lowers the
    /// nesting level by one. A two-argument construction in between has set
    /// the level to 0 already, so the level may go below 0: lines then carry
    /// no indentation and the number 0 or less.
    void refresh(symptoms saved);

private:
    /// Opens the trace file for appending and writes `count` bytes.
    static void append(const char* bytes, unsigned int count);

    int start;
    ByteArray name;
    bool ended;

    static ByteArray m_filename;
    static int nests;
    static Mutex mutex;
};

}  // namespace Korvane
