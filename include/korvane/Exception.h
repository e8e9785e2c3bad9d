/// Exception: the error model shared by the whole toolkit.
///
/// An Exception carries a stack of error entries, each a (library, error
/// number, location, extra information) quadruple. Index 0 is the first
/// failure; a thrower that catches a lower layer's exception throws a new one
/// carrying the whole caught stack plus its own entry on top, so the report
/// shows the chain from the first failure to the last. Message texts come from
/// the catalog when they are asked for, never at the throw site.
///
/// Exception derives from std::exception, so `catch (const std::exception&)`
/// now catches every Exception of the toolkit (QuillonException, IOException
/// and those of the other libraries), which it did not before; where both are
/// handled, put the `catch (const Exception&)` handler first.
/// @class Korvane::Exception
/// @headerfile Exception.h "korvane/Exception.h"
/// @ingroup text
#pragma once

#include <exception>
#include <memory>
#include <optional>
#include <vector>

#include "korvane/Export.h"
#include "korvane/QuillonError.h"
#include "korvane/String.h"

namespace Korvane {

class KORVANE_API Exception : public std::exception {
public:
    /// The library an error number belongs to. Values 1, 20 and 26 have no
    /// message table; this library's own errors are LIB_QUILLON.
    enum libraries {
        LIB_ASN1 = 0,
        LIB_X509 = 2,
        LIB_DER = 3,
        LIB_CRYPTO = 4,
        LIB_MAIL = 5,
        LIB_PKCS7 = 6,
        LIB_HTTP = 7,
        LIB_SOCKETS = 8,
        LIB_SIGNED_DATA = 9,
        LIB_PKCS8 = 10,
        LIB_PKIX = 11,
        LIB_CRMF = 12,
        LIB_PKIX_TRANSPORT = 13,
        LIB_CERT_POLICY = 14,
        LIB_THREADS = 15,
        LIB_SCEP_TRANSPORT = 16,
        LIB_QUILLON = 17,
        LIB_VAULT = 18,
        LIB_LDAP_MAPPING = 19,
        LIB_LDAP_MAPPING_2 = 21,
        LIB_PSE = 22,
        LIB_OCSP = 23,
        LIB_PKCS12 = 24,
        LIB_CERT_DIRECTORY = 25,
        LIB_SCEP = 27,
        LIB_PLATFORM = 28,
        LIB_UNNAMED_29 = 29,
        LIB_XMLDSIG = 30,
        LIB_PKCS11 = 31,
        LIB_SSL = 32,
        LIB_SIGNTEXT = 33
    };

    // ---- Construction ------------------------------------------------------
    /// A stack of one entry; identity -1.
    Exception(libraries lib, unsigned int errNo, const String& location,
              const String& extraInfo);
    /// All entries of `previous`, then (lib, errNo, location, extraInfo) on
    /// top; identity -1 (the identity of `previous` is not taken over).
    Exception(libraries lib, unsigned int errNo, const String& location,
              const Exception& previous, const String& extraInfo);
    ///@{
    /// Copies and assignment copy the stacks and the identity.
    Exception(const Exception& other);
    Exception& operator=(const Exception& other);
    ///@}
    ///@{
    /// Take the stacks of `other` over; `other` is left with an empty stack.
    Exception(Exception&& other) noexcept = default;
    Exception& operator=(Exception&& other) noexcept = default;
    ///@}
    virtual ~Exception();

    // ---- The error stack ---------------------------------------------------
    /// Number of entries on the error stack; entry 0 is the newest.
    unsigned int getErrorStackSize() const;
    ///@{
    /// Entry accessors: -1 (or the library value -1) or String::emptyString
    /// when `index` is at or beyond the stack size.
    int getErrNo(unsigned int index) const;
    libraries getLib(unsigned int index) const;
    const String& getErrLocation(unsigned int index) const;
    const String& getExtraInfo(unsigned int index) const;
    ///@}

    ///@{
    /// The whole stacks, one vector per field, in entry order.
    const std::vector<unsigned int>& getErrnoVector() const;
    const std::vector<libraries>& getLibVector() const;
    const std::vector<String>& getLocationVector() const;
    const std::vector<String>& getExtraVector() const;
    ///@}

    // ---- Texts -------------------------------------------------------------
    /// The catalog text of (lib, errNo). A library without a table (1, 20, 26,
    /// anything above 33) gives "Hit default, bad library number"; a number
    /// without an entry in its table gives "Unknown Error".
    String getErrorText(unsigned int errNo, libraries lib) const;
    /// The catalog text of (lib, errNo), or no result when the catalog has
    /// none: a library without a table, or a number without an entry.
    static std::optional<String> catalogText(libraries lib, unsigned int errNo);
    /// The catalog text of one of this library's errors (none for 41).
    static std::optional<String> catalogText(QuillonError error);
    /// The printable report of every entry (whatever `index` is, as long as it
    /// is below the stack size; otherwise ""). Each entry reads
    /// "\nLocation : <location>\nError    : <text>\n<extra>\n\n"; libraries
    /// 1, 20, 26 and above 32 (33 included) print "Unknown Error".
    String toString(unsigned int index) const;
    /// The same report as toString(0) ("" for an empty stack), built on the
    /// first call and kept; concurrent first calls are safe. When memory for
    /// it runs out, the text "Korvane::Exception" instead.
    const char* what() const noexcept override;

    // ---- Identity ----------------------------------------------------------
    /// -1 for Exception and IOException, -2 for QuillonException.
    int getMyID() const;
    /// isMe(-1) is true for every class of the tree; otherwise myID == id.
    bool isMe(int id) const;

protected:
    /// The identity getMyID() returns, set by each constructor of the tree.
    int myID;

private:
    std::vector<libraries> libraryStack;
    std::vector<unsigned int> errorNumberStack;
    std::vector<String> locationStack;
    std::vector<String> extraInfoStack;
    /// The report what() built, shared by the copies made after it; null
    /// until then. Read and set atomically.
    mutable std::shared_ptr<const String> report;
};

}  // namespace Korvane
