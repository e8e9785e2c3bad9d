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

}  // namespace internal
}  // namespace Korvane
