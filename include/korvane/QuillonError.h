/// QuillonError: the names of this library's error numbers.
///
/// Each enumerator names one number of the LIB_QUILLON table of the error
/// catalog, after its catalog text (ParameterIsNull is 4, "Parameter is
/// NULL"). A QuillonException or IOException built from a name carries its
/// number; an entry's number compares with a name after a static_cast, and
/// Exception::catalogText(QuillonError) gives the name's catalog text.
/// @enum Korvane::QuillonError
/// @ingroup text
#pragma once

namespace Korvane {

enum class QuillonError : unsigned int {
    UnableToPerformFileOperation = 0,
    IndexOutOfRange = 1,
    SubExpressionNull = 2,              ///< "Regular expression parse failed - sub expression null"
    RegularExpressionNull = 3,          ///< "... Internal regexp error, expression is NULL"
    ParameterIsNull = 4,
    RegularExpressionTooBig = 5,
    OutOfMemory = 6,
    TooManyParentheses = 7,             ///< "Too many ()'s"
    UnterminatedParentheses = 8,        ///< "Unterminated ()'s"
    InternalError = 9,
    RepeatOperandCouldBeEmpty = 10,     ///< "*+ operand could be empty"
    NestedRepeat = 11,                  ///< "Nested *?+"
    InvalidSetRange = 12,               ///< "Invalid [] range"
    UnmatchedBrackets = 13,             ///< "Unmatched []'s"
    UnexpectedAtomStart = 14,           ///< "Internal error: \0|) unexpected"
    RepeatFollowsNothing = 15,          ///< "?+* Follows nothing"
    TrailingBackslash = 16,             ///< "Trailing \"
    EmptyLiteralRun = 17,               ///< "Internal error: _tcscspn 0"
    CorruptedInternalRegexp = 18,
    CorruptedInternalPointers = 19,
    BadCallOfRegrepeat = 20,            ///< "Internal error, bad call of regrepeat"
    NoMoreTokens = 21,
    DataFormatInvalid = 22,
    TooManyInsignificantBits = 23,      ///< "... should not be more than 7"
    MutexCouldNotBeInitialised = 24,
    MutexCouldNotBeLocked = 25,
    MutexCouldNotBeUnlocked = 26,
    DateBefore1900 = 27,                ///< "The Date must be greater than 1900 for toStructTM to work"
    BadGeneralizedTime = 28,            ///< "Generalized Time values must be of the form ..."
    BadUTCTime = 29,                    ///< "UTC Time values must be of the form ..."
    NoMoreData = 30,                    ///< "No more data left to read in from InputStream"
    PushBackBeyondRead = 31,            ///< "You can't push back more data than you're already read ..."
    FileIsReadOnly = 32,
    FilePathNotFound = 33,
    /// Thrown by Date::daysInMonth for a month of 12 or more; the catalog has
    /// no entry for it.
    MonthOutOfRange = 41
};

}  // namespace Korvane
