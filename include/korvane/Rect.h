/// Rect: four signed 32-bit integers, kept in the order they are given.
///
/// A Rect is built from four values or from a comma-separated text and
/// prints itself as "Rect (a, b, c, d)". What the values mean (corners or a
/// corner with a size) is the caller's business.
/// @class Korvane::Rect
/// @headerfile Rect.h "korvane/Rect.h"
/// @ingroup runtime
#pragma once

#include <iosfwd>

#include "korvane/Export.h"

namespace Korvane {

class String;

class KORVANE_API Rect {
public:
    // ---- Construction ------------------------------------------------------
    /// All four values 0.
    Rect();
    /// The four values in this order.
    Rect(int first, int second, int third, int fourth);
    /// Splits the text (up to its first NUL) at commas, a run of commas
    /// counting as one and leading commas skipped, and reads the first four
    /// pieces as decimal numbers the way strtol does: leading white space, an
    /// optional sign, digits up to the first other character; a piece without
    /// digits gives 0, and so does a missing piece. A value beyond the int
    /// range becomes INT_MIN or INT_MAX. Pieces after the fourth are ignored.
    Rect(const String& text);
    ///@{
    /// Copies and assignment copy the four values.
    Rect(const Rect& other);
    Rect& operator=(const Rect& other);
    ///@}
    virtual ~Rect();

    // ---- Access ------------------------------------------------------------
    ///@{
    /// The four values in the order they were given.
    int first() const { return values[0]; }
    int second() const { return values[1]; }
    int third() const { return values[2]; }
    int fourth() const { return values[3]; }
    ///@}

private:
    int values[4];
};

/// Writes "Rect (", the four values in decimal separated by ", ", and ")",
/// with no line end; decimal whatever the stream's number base. Returns `out`.
KORVANE_API std::ostream& operator<<(std::ostream& out, const Rect& r);

}  // namespace Korvane
