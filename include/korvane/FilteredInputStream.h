/// FilteredInputStream: the base of input streams that read another stream
/// and transform what they read.
///
/// It keeps a reference to its source, which it does not own: the source must
/// outlive the filter, and closing or destroying the filter leaves the source
/// open. A concrete filter supplies operator>> and honours the push-back
/// contract of InputStream (deliverPushedBack first, countDelivered after).
/// @class Korvane::FilteredInputStream
/// @headerfile FilteredInputStream.h "korvane/FilteredInputStream.h"
/// @ingroup io
#pragma once

#include "korvane/Export.h"
#include "korvane/InputStream.h"

namespace Korvane {

class KORVANE_API FilteredInputStream : public InputStream {
public:
    // ---- Construction ------------------------------------------------------
    /// Reads from `source`, which is not owned.
    FilteredInputStream(InputStream& source);
    ///@{
    /// Copies and assignment read from the same source and copy the pushed-back
    /// bytes and the count.
    FilteredInputStream(const FilteredInputStream& other);
    FilteredInputStream& operator=(const FilteredInputStream& other);
    ///@}
    virtual ~FilteredInputStream();

    // ---- InputStream -------------------------------------------------------
    /// Does nothing; the source stays open.
    void close() override;
    /// True while bytes are pushed back or the source has data.
    bool hasData() const override;
    using InputStream::operator>>;

protected:
    /// The stream being filtered.
    InputStream& getSource() const;

private:
    InputStream* source;
};

}  // namespace Korvane
