/// IndexOutOfRange: the exception thrown by element access of Array.
///
/// It is not an Exception (it carries no error stack): it holds one message,
/// one of the four fixed texts of Array's operator[], in a heap copy it owns.
/// It derives from std::exception, so `catch (const std::exception&)` now
/// catches it (and every Exception), which it did not before.
/// @class Korvane::IndexOutOfRange
/// @headerfile IndexOutOfRange.h "korvane/IndexOutOfRange.h"
/// @ingroup storage
#pragma once

#include <exception>
#include <utility>

#include "korvane/Export.h"

namespace Korvane {

class KORVANE_API IndexOutOfRange : public std::exception {
public:
    /// Stores its own copy of `message` (a null message is stored as "").
    explicit IndexOutOfRange(const char* message);
    ///@{
    /// Copies and assignment store their own copy of the message.
    IndexOutOfRange(const IndexOutOfRange& other);
    IndexOutOfRange& operator=(const IndexOutOfRange& other);
    ///@}
    ///@{
    /// Takes the message of `other` over; `other` is left with "".
    IndexOutOfRange(IndexOutOfRange&& other) noexcept : message(other.message) {
        other.message = nullptr;
    }
    IndexOutOfRange& operator=(IndexOutOfRange&& other) noexcept {
        if (this != &other) {
            delete[] message;
            message = std::exchange(other.message, nullptr);
        }
        return *this;
    }
    ///@}
    virtual ~IndexOutOfRange();

    /// The stored message ("" for one moved away).
    const char* toString() const;
    /// The stored message, as toString().
    const char* what() const noexcept override;

private:
    char* message;  ///< owned; null once moved away
};

}  // namespace Korvane
