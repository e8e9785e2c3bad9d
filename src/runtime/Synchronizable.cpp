#include "korvane/Synchronizable.h"

namespace Korvane {

// Out of line so the class's type information lives in the library.
Synchronizable::~Synchronizable() = default;

}  // namespace Korvane
