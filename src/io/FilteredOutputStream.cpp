#include "korvane/FilteredOutputStream.h"

namespace Korvane {

FilteredOutputStream::FilteredOutputStream(OutputStream& to) : sink(&to) {}

FilteredOutputStream::FilteredOutputStream(const FilteredOutputStream& other) = default;

FilteredOutputStream& FilteredOutputStream::operator=(const FilteredOutputStream& other) = default;

FilteredOutputStream::~FilteredOutputStream() = default;

void FilteredOutputStream::close() {}

OutputStream& FilteredOutputStream::getSink() const { return *sink; }

}  // namespace Korvane
