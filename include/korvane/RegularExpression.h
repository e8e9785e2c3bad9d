/// RegularExpression: one pattern bound to one subject text.
///
/// Constructing the object compiles the pattern into a node program and
/// searches the subject from its start; the object then answers whether a match
/// was found and hands out sub-matches while it walks on through the subject.
/// Pattern and subject are 8-bit text that ends at its first NUL byte. Copies
/// are deep: each object owns its subject copy and its program.
///
/// Pattern language: alternatives separated by |; pieces are an atom followed
/// by at most one of * + ?. Atoms: ( ... ) groups (at most 9), . any byte,
/// ^ the position where the search started, $ the end of the subject,
/// [set] and [^set] with ranges a-z, \\c the byte c taken literally (no escape
/// classes: \\n is the letter n), and runs of other bytes. The search is
/// leftmost-first: the earliest start wins, and there alternatives are tried
/// left to right and repetitions greedily, the first success being taken.
///
/// Speed: matching backtracks and remembers what failed. Once a search has
/// spent more than about eight backtracking steps per subject byte, it keeps
/// one bit per subject position (from where it started to the end) for each
/// repetition, each choice of alternatives and each node where paths meet,
/// and never follows a failed continuation twice. From then on it takes at
/// most time proportional to the program size times the subject length,
/// (a+)+b, (a|aa)*c and a.*b.*c included, and finds exactly what plain
/// backtracking finds. Bound: that memory is at most 64 MiB (2^29 bits,
/// enough for ten such nodes over 50 MB of subject); a search that would
/// need more, or cannot get it, goes on as plain
/// backtracking, never failing for want of it. Plain backtracking takes time
/// exponential in the subject length on repeated groups whose text splits in
/// several ways ((a+)+b, (a|a)*b) when the rest of the pattern fails, and the
/// length to the power k+1 for k repetitions of a byte, set or dot.
/// Matching never recurses on the C++ stack: its backtracking stack
/// lives on the heap and grows with the match: 8 bytes for every alternation
/// and 16 for every repetition on the path being tried, so (ab)*c over 16 MB
/// takes about 64 MB and (a|b)* about 256 MB. A search allocates only when a
/// match needs more than a few hundred such entries; when the stack cannot
/// grow, the search throws QuillonException 6 ("Out of memory").
/// @class Korvane::RegularExpression
/// @headerfile RegularExpression.h "korvane/RegularExpression.h"
/// @ingroup regex
#pragma once

#include "korvane/ByteArray.h"
#include "korvane/Export.h"
#include "korvane/String.h"

namespace Korvane {

class KORVANE_API RegularExpression {
public:
    // ---- Construction ------------------------------------------------------
    /// Compiles `pattern` and searches `subject` from its start. A malformed
    /// pattern throws QuillonException (nothing of the object survives):
    ///   4 null pattern, 5 program of 32767 bytes or more, 6 out of memory,
    ///   7 a tenth group, 8 unbalanced parentheses, 9 junk after the pattern,
    ///   10 * or + on an atom that can match empty, 11 a repetition right after
    ///   a repetition, 12 a range whose low end is above its high end,
    ///   13 a set that is not closed, 14 an atom starting with NUL, | or ),
    ///   15 * + ? with nothing before it, 16 a trailing backslash,
    ///   17 an empty literal run.
    RegularExpression(const String& pattern, const String& subject);
    ///@{
    /// The copy gets the source's pattern, subject, program and match state;
    /// afterwards the two objects are independent.
    RegularExpression(const RegularExpression& other);
    RegularExpression& operator=(const RegularExpression& other);
    ///@}
    ///@{
    /// Takes the pattern, subject, program and match state of `other` over;
    /// `other` is left without a program and subject: no match, no
    /// sub-matches, substitute() gives "" and nextMatch() throws 3.
    RegularExpression(RegularExpression&& other) noexcept;
    RegularExpression& operator=(RegularExpression&& other) noexcept;
    ///@}
    virtual ~RegularExpression();

    // ---- Match state -------------------------------------------------------
    /// True when the last search found a match that is not empty.
    bool hasExpression() const;
    /// The number of consecutive set sub-matches counted from the whole match:
    /// 1 plus the leading groups that took part, at most 10; 0 after a failed
    /// search. A search refused because the subject lacks a literal that every
    /// match contains leaves the previous match's count in place.
    unsigned int getNumberSubExpressions() const;

    // ---- Walking and rewriting ---------------------------------------------
    /// The text of sub-match `index` (0 the whole match, 1-9 a group) of the
    /// current match; then searches again from the end of the current match,
    /// where ^ matches again. Throws QuillonException 1 for an index of 10 or
    /// more and 2 when that sub-match is not set. Walk all matches with
    /// `while (re.hasExpression()) re.nextMatch(0);`.
    String nextMatch(unsigned int index);
    /// `source` with & and \0 replaced by the whole match and \1-\9 by the
    /// groups (unset ones by nothing); \\\\ gives \\, \\& gives &, and a backslash
    /// before anything else stays. Does not change the match state.
    String substitute(const String& source);
    /// The pattern that matches exactly the names the file-name glob matches:
    /// * is the only wildcard, \\c takes c literally, other punctuation stands
    /// for itself ("*.txt" gives "^.*\.txt$"). A glob ending in a single
    /// backslash throws IndexOutOfRange.
    static String glob2RegularExpression(const String& glob);

private:
    friend struct RegularExpressionInternals;

    /// Searches the subject from `from` and stores the outcome in `matched`.
    void regexec(const char* from);
    /// The body of substitute.
    String regsub(const String& source) const;
    void release();
    const char* subjectText() const {
        return subject != nullptr ? reinterpret_cast<const char*>(subject->getData()) : "";
    }

    String pattern;
    ByteArray* subject;          ///< owned: the subject's ASCII bytes, NUL-terminated
    unsigned int subjectLength;  ///< bytes before the first NUL
    struct Program;              ///< the compiled program, defined inside the library
    Program* prog;               ///< owned; null when compilation gave nothing
    bool matched;
};

}  // namespace Korvane
