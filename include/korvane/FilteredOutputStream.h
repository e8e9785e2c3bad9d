/// FilteredOutputStream: the base of output streams that transform what is
/// written to them and pass it on to another stream.
///
/// It keeps a reference to its sink, which it does not own: the sink must
/// outlive the filter, and closing or destroying the filter leaves the sink
/// open. A concrete filter supplies flush() and both forms of operator<< (and
/// should say `using OutputStream::operator<<;` to keep piping visible).
/// @class Korvane::FilteredOutputStream
/// @headerfile FilteredOutputStream.h "korvane/FilteredOutputStream.h"
/// @ingroup io
#pragma once

#include "korvane/Export.h"
#include "korvane/OutputStream.h"

namespace Korvane {

class KORVANE_API FilteredOutputStream : public OutputStream {
public:
    // ---- Construction ------------------------------------------------------
    /// Writes to `sink`, which is not owned.
    FilteredOutputStream(OutputStream& sink);
    ///@{
    /// Copies and assignment write to the same sink and copy the count.
    FilteredOutputStream(const FilteredOutputStream& other);
    FilteredOutputStream& operator=(const FilteredOutputStream& other);
    ///@}
    virtual ~FilteredOutputStream();

    // ---- OutputStream ------------------------------------------------------
    /// Does nothing; the sink stays open.
    void close() override;

protected:
    /// The stream written to.
    OutputStream& getSink() const;

private:
    OutputStream* sink;
};

}  // namespace Korvane
