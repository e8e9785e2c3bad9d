// Where String's one-time deprecation notices go.
//
// The notices belong in the process log, a service of a higher layer than
// the text values. So the text layer only calls a writer that the log
// installs when the library is loaded; without one a notice goes nowhere,
// exactly as when no log is active (none can be before the log is built).
#pragma once

namespace Korvane {

class String;

namespace internal {

using NoticeWriter = void (*)(const String& notice);

// Makes `writer` the receiver of every later notice.
void installNoticeWriter(NoticeWriter writer) noexcept;

// What String::getASCIIByteArray does before it converts: its one-time
// notice. For the library's readers of a String's ASCII bytes that need no
// copy of them (a String's buffer ends with a NUL as the conversion does).
void noteGetASCIIByteArray();

}  // namespace internal
}  // namespace Korvane
