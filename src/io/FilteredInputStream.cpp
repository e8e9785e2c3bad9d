#include "korvane/FilteredInputStream.h"

namespace Korvane {

FilteredInputStream::FilteredInputStream(InputStream& from) : source(&from) {}

FilteredInputStream::FilteredInputStream(const FilteredInputStream& other) = default;

FilteredInputStream& FilteredInputStream::operator=(const FilteredInputStream& other) = default;

FilteredInputStream::~FilteredInputStream() = default;

void FilteredInputStream::close() {}

bool FilteredInputStream::hasData() const { return hasPushedBack() || source->hasData(); }

InputStream& FilteredInputStream::getSource() const { return *source; }

}  // namespace Korvane
