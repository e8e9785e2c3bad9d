#pragma once
namespace Korvane {
namespace internal {
// One library's message table: entries indexed by error number; a number the
// catalog skips holds nullptr. `size` counts the slots (last number + 1).
struct CatalogTable {
    const char* const* entries;
    unsigned int size;
};
// The table of library value `library`; {nullptr, 0} for a value without one
// (1, 20, 26, negatives and everything above 33).
CatalogTable catalogTable(int library);
// The text of (library, number), or nullptr when the catalog has none.
const char* catalogText(int library, unsigned int number);
}  // namespace internal
}  // namespace Korvane
