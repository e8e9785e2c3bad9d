// Message texts of the error catalog shared by the whole family of libraries
// that report through Exception. Each library value owns one table, indexed
// by error number. The texts are kept exactly as they have always been
// reported (odd spellings, trailing blanks and all), because callers and
// logs compare against them; do not "fix" them.

#include "errors/ErrorCatalog.h"

namespace Korvane {
namespace internal {
namespace {

// LIB_ASN1 (0): ASN.1 object model
const char* const kAsn1Messages[] = {
    /*  0 */ "The ASN.1 Any Object has not yet been set",
    /*  1 */ "ASN1Object parameter is NULL",
    /*  2 */ "unused",
    /*  3 */ "Insignificance parameter must be between 0 and 7",
    /*  4 */ "Not a valid type of the ASN.1 CHOICE",
    /*  5 */ "Invalid NumericString character",
    /*  6 */ "Tag is out of bounds, must be in range 0-30",
    /*  7 */ "Improperly formed OID, must have at least 2 components",
    /*  8 */ "Improperly formed OID, cannot have negative values",
    /*  9 */ "An optional component cannot be followed by an ASN.1 component of the same type",
    /* 10 */ "ASN.1 ANY DEFINED BY must be defined by an ASN.1 INTEGER or OBJECT IDENTIFIER.",
    /* 11 */ "Incorrect ASN.1 type",
    /* 12 */ "Can't add component of type ANY to SEQUENCE OF",
    /* 13 */ "The index is greater than the number of components",
    /* 14 */ "An ASN1 Set is uniquely indexed by ASN.1 tags used to indicate the type, all types in a SET must be distinct",
    /* 15 */ "Can't add component of type ANY to SET OF",
    /* 16 */ "unused",
    /* 17 */ "Invalid PrintableString character",
    /* 18 */ "Not supported in current version",
    /* 19 */ "partyName is not optional in EDIPartyName",
    /* 20 */ "The component must be tagged EXPLICIT",
    /* 21 */ "Unknown explicit tag type",
    /* 22 */ "Can't compare ASN1ContextSpecific objects",
    /* 23 */ "ASN.1 casting exception!",
    /* 24 */ "Unknown Context, should be either IMPLICIT or EXPLICIT",
    /* 25 */ "See previous exception",
    /* 26 */ "Deprecated method - no longer supported",
    /* 27 */ "ASN1Choice can not be tagged IMPLICIT",
    /* 28 */ "Can only asn1_[const_]cast an IMPLICIT encoded ASN1ContextSpecific as a real ASN1Object (i.e. it has a real encoding tag)",
    /* 29 */ "Can only cast an ASN1Choice to an ASN1Object, one can then cast the returned ASN1Object based on it's tag",
    /* 30 */ "Constructed ASN1BitString and ASN1OctetString can only contain components of that type",
    /* 31 */ "operator= for ASN1Objects not implemented, use clone instead",
    /* 32 */ "OID is not a supported Signature OID",
    /* 33 */ "Can't change padding algorithm for that signature OID",
};

// LIB_X509 (2): X.509 certificates, requests and extensions
const char* const kX509Messages[] = {
    /*  0 */ "Decoding failed",
    /*  1 */ "An authorityKeyIdentifier extension can never be critical",
    /*  2 */ "The signature contains no data",
    /*  3 */ "The authorityKeyIdentifier object didn't have a keyIdentifier length AND authorityCertIssuer general name OR an authorityCertSerialNumber serial number",
    /*  4 */ "Both authorityCertIssuer AND authorityCertSerialNumber must be set to identify a certificate",
    /*  5 */ "See previous exception",
    /*  6 */ "The explicit tag was not valid",
    /*  7 */ "AuthorityKeyIdentifier fields must all be IMPLICIT",
    /*  8 */ "The pathLenConstraint can only be set if the CA field is true",
    /*  9 */ "certPolicyId must be set, argument is not OPTIONAL",
    /* 10 */ "The BoolArray length must be 10 for SET CertificateType",
    /* 11 */ "The CertificationRequest contains empty fields",
    /* 12 */ "The CertificationRequest has not been signed",
    /* 13 */ "PEM encoded certificate request",
    /* 14 */ "A CRLNumber extension can never be critical",
    /* 15 */ "CRLNumber not set, value is empty",
    /* 16 */ "Encoding failed",
    /* 17 */ "partyName cannot be empty, this parameter is not OPTIONAL",
    /* 18 */ "EDIPartyName.nameAssigner is set but NON-OPTIONAL EDIPartyName.partyName is not",
    /* 19 */ "Unknown explicit tag type for EDIPartyName",
    /* 20 */ "Tag types must be EXPLICIT",
    /* 21 */ "The BoolArray length must be 9 for X.509 KeyUsage",
    /* 22 */ "A policyMappings extension can never be critical",
    /* 23 */ "The OID parameter is empty, this is not an OPTIONAL parameter",
    /* 24 */ "A privateKeyUsagePeriod extension can never be critical",
    /* 25 */ "By definition, one of either notBefore | notAfter must be present",
    /* 26 */ "Unrecognised GeneralName",
    /* 27 */ "Unexpected tag",
    /* 28 */ "There are less than <index> components in the RevokedCertificates object",
    /* 29 */ "The serial number provided does not exist in this revoked certificates object",
    /* 30 */ "Use the sign method to generate the signature before calling this function",
    /* 31 */ "A subjectKeyIdentifier extension can never be critical",
    /* 32 */ "keyIdentifier length is zero, can't get extension value",
    /* 33 */ "Version must be 2.0 or higher to support IssuerUniqueId or SubjectUniqueId",
    /* 34 */ "Version must be 3.0 or higher to support Extensions",
    /* 35 */ "The notBefore date is chronologically later than the notAfter date",
    /* 36 */ "tbsCertificate is NULL",
    /* 37 */ "Attempt to get the name from GeneralName when it is not holding that type of name",
    /* 38 */ "X509Certifcate has no attached Extensions",
    /* 39 */ "No keyUsage extension",
    /* 40 */ "No basicConstraints",
    /* 41 */ "ASN1Object parameter is NULL",
    /* 42 */ "Cannot set an unhandled X509Extension to be critical",
    /* 43 */ "Either a BaseCertificateID or a SubjectName is required to create an ASN.1 object of type AttributeCertificateInfo",
    /* 44 */ "The extension already exists in the X509Extensions list",
    /* 45 */ "The AttributeCertificateInfo must have at least 6 fields",
    /* 46 */ "Boolean array is null",
    /* 47 */ "Boolean array must be of length 8 or less",
    /* 48 */ "Out of range index",
    /* 49 */ "No CryptoProvider specified - use 'addProvider' call",
    /* 50 */ "ByteArray is empty",
    /* 51 */ "SetDistinguishedName parameter contained an element that did not adhere to the x=y pair rule",
    /* 52 */ "Invalid format for DistinguishedName - can't construct",
    /* 53 */ "Full Name cannot be retrieved from Distribution Point name as it is not present",
    /* 54 */ "RDN cannot be retrieved from Distribution Point name as it is not present",
    /* 55 */ "Parse Error in RDN - unexpected character in attribute type",
    /* 56 */ "Parse Error in RDN - unexpected character in hex value",
    /* 57 */ "Parse Error in RDN - expected '=' after attribute type",
    /* 58 */ "Hex values not supported in RDNs at this time",
    /* 59 */ "Parse Error in RDN - unexpected character after attr=value pair",
    /* 60 */ "Cannot encode RDN - unknown format for OID",
    /* 61 */ "The AttributeCertificate has not been signed",
    /* 62 */ "Deprecated method - No longer supported",
    /* 63 */ "An AttributeCertificate does not have a PublicKey",
    /* 64 */ "Certificate is not yet valid",
    /* 65 */ "Certificate has expired",
    /* 66 */ "Unknown error occurred when checking certificate validity",
    /* 67 */ "Cant add a non-CA certificate as a CA certificate into a certchain",
    /* 68 */ "Certchains can only have one end-entity certificate",
    /* 69 */ "Cant add a CA certificate as an end-entity certificate in a certchain",
    /* 70 */ "Certchain does not have an end-entity certificate",
    /* 71 */ "Cannot find required cert in cert chain",
    /* 72 */ "Signer list contains more than one entry, please specify the cert",
    /* 73 */ "Could not find the specified cert on the signer list",
    /* 74 */ "Certificate has already been revoked.",
    /* 75 */ nullptr,  // no message for this number
    /* 76 */ "The specified signature algorithm is not recognised. Must be in range 0-2.",
    /* 77 */ "Don't recognise this character set.",
    /* 78 */ "The identifiertype for the distinguished name is not handled by this class.",
    /* 79 */ "This public key type is not currently supported.",
    /* 80 */ "Explicit public key parameters not handled by this implementation.",
    /* 81 */ "Assigned public key parameters not handled by this implementation.",
    /* 82 */ "The specified public key algorithm is not handled by this class",
    /* 83 */ "WTLS certificates do not have serial numbers",
    /* 84 */ "This version of WTLS certificate is not supported",
    /* 85 */ "The WTLS certificate is not signed",
    /* 86 */ "WTLS certificates do not have specified key usages",
    /* 87 */ "This method has not been implemented for WTLS certificates",
};

// LIB_DER (3): ASN.1 DER encoding and decoding
const char* const kDerMessages[] = {
    /*  0 */ "ASN1Object parameter is NULL",
    /*  1 */ "ASN.1 BMPString not supported",
    /*  2 */ "ASN.1 ObjectDescriptor encoding not supported",
    /*  3 */ "ASN.1 EXTERNAL encoding not supported",
    /*  4 */ "ASN.1 REAL encoding not supported",
    /*  5 */ "Unknown ASN object type",
    /*  6 */ "Integer array for Object Identifier begins improperly",
    /*  7 */ "Unknown DER tag",
    /*  8 */ "ASN.1 Boolean does not decode properly",
    /*  9 */ "ASN.1 Null does not decode properly",
    /* 10 */ "We have a byte array whose length is of the order 4294967296. This must not be an implicitly tagged object",
    /* 11 */ "The ASN.1 Object is null and the Object is not the optional component of a constructed ASN.1 object",
    /* 12 */ "See previous exception",
    /* 13 */ "The input parameter was empty",
    /* 14 */ "Unknown Tag type returned from getTaggedType()",
    /* 15 */ "Could not encode the ASN1Object",
    /* 16 */ "Can't have nested indefinite length encoded objects",
    /* 17 */ "OID value must have at least 2 elements",
    /* 18 */ "Can only get a tagged value from a context specific tag",
    /* 19 */ "DER decoding does not support fragmented OctetStrings or BitStrings",
    /* 20 */ "DER decoding does not support indefinate length encoding",
    /* 21 */ "A constructed octect / bit string object must only contain tagged objects of that type",
    /* 22 */ "You can not construct an ASN1IOUImplicit / ExplicitObject from a non tagged ASN1Object",
    /* 23 */ "You can not construct an ASN1IOUObject from a tagged ASN1Object, use ASN1IOUImplicit / ExplicitObject instead",
};

// LIB_CRYPTO (4): ciphers, session keys, RSA
const char* const kCryptoMessages[] = {
    /*  0 */ "Failed to hash passphrase",
    /*  1 */ "Failed to create PRNG",
    /*  2 */ "Failed generate session key",
    /*  3 */ "Cipher IV length is not 8",
    /*  4 */ "Trying to encrypt or decrypt without a key or passphrase",
    /*  5 */ "Failed to start session",
    /*  6 */ "Failed to append session",
    /*  7 */ "Failed to read data",
    /*  8 */ "Failed to finish session",
    /*  9 */ "No public key",
    /* 10 */ "Start RSA failure",
    /* 11 */ "Append RSA failure",
    /* 12 */ "See previous exception",
    /* 13 */ "No private key",
    /* 14 */ "Finish RSA failure",
    /* 15 */ "Invalid hash alogorithm specified",
    /* 16 */ "Internal error in key pair generator",
    /* 17 */ "Failed to generate parameters",
    /* 18 */ "No parameters",
    /* 19 */ "Failed to generate keys",
    /* 20 */ "Failed to generate shared key",
    /* 21 */ "Failed to cast variable",
    /* 22 */ "Failed to generate community",
    /* 23 */ "Failed to generate user",
    /* 24 */ "No Community",
    /* 25 */ "No Signature",
    /* 26 */ "Prime number must be greater than 512 or less than 1024 bits",
    /* 27 */ "Invalid object Identifier",
    /* 28 */ "No Hash ID",
    /* 29 */ "No HMAC Key",
    /* 30 */ "Failed to generate hash",
    /* 31 */ "The qsize must be set for DHKeyPairGeneration",
    /* 32 */ "The modulus length must be greater than the qsize",
    /* 33 */ "Unimplemented method for this algorithm",
    /* 34 */ "Internal Error - Mask generation function failed",
    /* 35 */ "Shared Key was not created",
    /* 36 */ "Unknown algorithm identifier",
    /* 37 */ "Unknown message digest type",
    /* 38 */ "Provider not found",
    /* 39 */ "There is no CryptoProvider set",
    /* 40 */ "Bad algorithm passed with AlgID",
    /* 41 */ "The random number generator must be seeded before you can get random data",
    /* 42 */ "Unknown Pseudo Random Number Generator",
    /* 43 */ "The requested PKIDevice has not been installed",
    /* 44 */ "The full path of the PKIDevice DLL was badly formed",
    /* 45 */ "PKIDevice DLL load failure.",
    /* 46 */ "PKIDevice DLL does not contain correct C entry point <GetEntryFunc>",
    /* 47 */ "Could not instantiate PKIDevice",
    /* 48 */ "Could not create PKIDevice Registry settings",
    /* 49 */ "PKIDevice was already installed.",
    /* 50 */ "Failed to split PSE.",
    /* 51 */ "Failed to join PSE.",
    /* 52 */ "This function is not supported using the current CryptoProvider.",
    /* 53 */ "Algorithm parameter should be a ByteArray containing a sequence of two ASN1Integers.",
    /* 54 */ "Not enough shared secret parts to join the secret.",
    /* 55 */ "Bad parameter.",
    /* 56 */ "M of N splitting: m cannot be less than 2 or greater than n.",
    /* 57 */ "Cannot get a passphrase from a non PBE key.",
    /* 58 */ "Cannot initialise cipher as this is not a session key.",
    /* 59 */ "Unknown cipher mode.",
    /* 60 */ "Unknown cipher algorithm.",
    /* 61 */ "Internal: CST cipher algorithm not set up, or not initialised",
    /* 62 */ "Internal: could not append data to CST append",
    /* 63 */ "Internal: no cipher data from readmost or finish",
    /* 64 */ "Internal: CST cipher failed to start",
    /* 65 */ "Could not use function \"ut_wstring2bmp\" on the passphrase ",
    /* 66 */ "Invalid CryptoAlgType",
    /* 67 */ "Invalid Key size requested",
    /* 68 */ "Failed to seed the Random Number Generator",
    /* 69 */ "IDEA module load failure",
    /* 70 */ "A hardware Key was provided where a software key was required",
    /* 71 */ "A software Key was provided where a hardware key was required",
    /* 72 */ "No data supplied. Cannot cipher no bytes.",
};

// LIB_MAIL (5): POP3 and SMTP mail
const char* const kMailMessages[] = {
    /*  0 */ "Could not open filename for input",
    /*  1 */ "See previous exception",
    /*  2 */ "Data does not have a body (No CRLF text)",
    /*  3 */ "Index out of range",
    /*  4 */ "Socket connection is not valid",
    /*  5 */ "Did not receive expected +OK command response from the POP3 server",
    /*  6 */ "Undefined for POP3 Connection",
    /*  7 */ "Not connected",
    /*  8 */ "Did not receive expected 250 (Okay) command response",
    /*  9 */ "Did not receive expected 221 (Closing transmission channel) command response",
    /* 10 */ "\"From:\" address is empty, this must be set",
    /* 11 */ "No email recipients specified",
    /* 12 */ "Did not receive expected 354 (Send the mail data, end with \".\") command response",
    /* 13 */ "Undefined for SMTP Connection",
    /* 14 */ "Filename already exists",
    /* 15 */ "Did not receive a valid command response from the POP3 server (neither +OK nor -ERR)",
    /* 16 */ "Badly formed EMail Header",
};

// LIB_PKCS7 (6): PKCS #7 enveloped data
const char* const kPkcs7Messages[] = {
    /*  0 */ "See previous exception",
    /*  1 */ "Unrecognised content type in PKCS7Content",
    /*  2 */ "Can't envelope enveloped data",
    /*  3 */ "Unrecognised data type",
    /*  4 */ "This recipient was not found in the recipientInfos",
    /*  5 */ "Attempt to open the envelope and the type of the content is not EnvelopedData",
    /*  6 */ "Type is not SignedData",
    /*  7 */ "NULL Pointer",
    /*  8 */ "The vault needs to be seeded before creating a Session Key",
    /*  9 */ "AddRecipient only takes X509 Certificates",
    /* 10 */ "Unrecognised Signature Algorithm",
    /* 11 */ "KeyUsage in encrpyt must be DataEncipherment or KeyEncipherment",
    /* 12 */ "Can only obtain a Signature algorithm from a signedData if a certificate is provided, this problem may be the result of trying to verify a Sentrel through the Vault with a key",
};

// LIB_HTTP (7): HTTP client
const char* const kHttpMessages[] = {
    /*  0 */ "See previous exception",
    /*  1 */ "Un-recognised operation type",
    /*  2 */ "No HTTP version",
    /*  3 */ "Unrecognized URL Scheme ",
    /*  4 */ "Socket connect failed",
    /*  5 */ "Socket write failed",
    /*  6 */ "Un-recognised request type",
    /*  7 */ "Timeout reached",
    /*  8 */ "Unknown browser type",
    /*  9 */ "Invalid distinguished name in certification request",
    /* 10 */ "Failed to parse result from HTTP server",
    /* 11 */ "unused",
    /* 12 */ "unused",
    /* 13 */ "unused",
    /* 14 */ "unused",
    /* 15 */ "unused",
    /* 16 */ "unused",
    /* 17 */ "unused",
    /* 18 */ "unused",
    /* 19 */ "unused",
    /* 20 */ "unused",
    /* 21 */ "unused",
    /* 22 */ "Bad message type",
    /* 23 */ "Should be of the form, Method SP Request-URI SP Version CRLF",
    /* 24 */ "Socket connection is not valid",
    /* 25 */ "Tried to close a NULL socket",
    /* 26 */ "Originating source of request unrecognised",
    /* 27 */ "Badly formatted POST or socket error",
    /* 28 */ "Should be of the form, HTTP-Version SP Status-Code SP Reason-Phrase CRLF",
    /* 29 */ "Insert failed",
    /* 30 */ "HTTPRequest not in map",
    /* 31 */ "Invalid Cert",
    /* 32 */ "There is NO POST body",
    /* 33 */ "There is NO PassPhrase ",
    /* 34 */ "There is NO Serial Number ",
    /* 35 */ "No response received",
    /* 36 */ "Failed to obtain HTTP status",
    /* 37 */ "HTTP request failed",
};

// LIB_SOCKETS (8): sockets
const char* const kSocketsMessages[] = {
    /*  0 */ "Could not open filename for input",
    /*  1 */ "See previous exception",
    /*  2 */ "Data does not have a body (no CRLF text)",
    /*  3 */ "Index out of range",
    /*  4 */ "Socket connection is not valid",
    /*  5 */ "Not connectedThe terminator must be non-empty",  // a single entry; the two texts have always run together
    /*  6 */ "Sockets cannot be initialised",
    /*  7 */ "gethostbyname failed",
    /*  8 */ "Socket instantiation failed",
    /*  9 */ "Socket bind failed",
    /* 10 */ "Socket connection failed",
    /* 11 */ "The Socket operation has timed out",
    /* 12 */ "Read failed, socket connection has been closed by foreign host",
    /* 13 */ "Accept has not yet been made for Server side Socket",
    /* 14 */ "getpeername() failed",
    /* 15 */ "Accept can only be called for Server side sockets",
    /* 16 */ "Write failed, socket connection has been closed by foreign host",
    /* 17 */ "Connection refused, accept failed",
    /* 18 */ "Unable to initialise WinSock library",
    /* 19 */ "Invalid IPAddress",
    /* 20 */ "Unable to perform read on socket",
};

// LIB_SIGNED_DATA (9): signed data and signer information
const char* const kSignedDataMessages[] = {
    /* 0 */ "See previous exception",
    /* 1 */ "At this point we should not have created any ExtendedCertificate objects at all",
    /* 2 */ "This method has not yet been written",
    /* 3 */ "Santity checks fail",
    /* 4 */ "SignerInfo not found",
    /* 5 */ "Un-supported digest algorithm",
    /* 6 */ "The content digest in the authenticated attributes is not equal to the content digest computed from the content",
    /* 7 */ "Can't get the signature algorithm for a SignedData object unless you specify a cert",
    /* 8 */ "No CryptoProvider specified - use 'addProvider' call",
    /* 9 */ "Bad parameter",
};

// LIB_PKCS8 (10): encrypted private key information
const char* const kPkcs8Messages[] = {
    /* 0 */ "See previous exception",
    /* 1 */ "Can't toASN1 the EncryptedPrivateKeyInfo until the encryptedData has been set",
    /* 2 */ "Unable to generate PBESessionKey for encrypting the private key",
};

// LIB_PKIX (11): PKIX management messages
const char* const kPkixMessages[] = {
    /*  0 */ nullptr,  // no message for this number
    /*  1 */ "Can't return value..it is not set",
    /*  2 */ "Unexpected Tag Value",
    /*  3 */ "Insert failed",
    /*  4 */ "Failed to decode/encode message",
    /*  5 */ "ASN1Object is Null can't decode",
    /*  6 */ "The cert is encrypted",
    /*  7 */ "Free Text must be sequence of encoded object",
    /*  8 */ "Can not generate PKIXPolicyResponse message",
    /*  9 */ "Failed to get the to be signed data",
    /* 10 */ "Unrecognised PKIX Message type on getInstance",
    /* 11 */ "Certificate is invalid for Out-Of-Band Hash",
    /* 12 */ "Private Key not allowed in cross certification request",
};

// LIB_CRMF (12): certificate request messages
const char* const kCrmfMessages[] = {
    /*  0 */ "Attempt to USE Deprecated function incorrectly",
    /*  1 */ "Can't return value..it is not set",
    /*  2 */ "Unexpected Tag Value",
    /*  3 */ "Insert failed",
    /*  4 */ "Failed to decode/encode message",
    /*  5 */ "Can't add POP....no Certificate Template in object",
    /*  6 */ "Can't add Signature key POP, no Private key specified",
    /*  7 */ "Can't add Signature key POP, no Password Based MAC Parameter specified",
    /*  8 */ "Can't add Signature key POP, no Public key in Template",
    /*  9 */ "Can't add POP, Invalid POP Type",
    /* 10 */ "Can't add POP, Invalid Private Key POP Type",
    /* 11 */ "Unexpected Control OID",
};

// LIB_PKIX_TRANSPORT (13): PKIX message transport
const char* const kPkixTransportMessages[] = {
    /* 0 */ "No Data on Socket",
    /* 1 */ "Message type un-recognised",
    /* 2 */ "unused",
    /* 3 */ "Invalid Version",
    /* 4 */ "Failed to decode/encode message",
};

// LIB_CERT_POLICY (14): enrollment policy, names and certificate retrieval
const char* const kCertPolicyMessages[] = {
    /*  0 */ "See previous exception",
    /*  1 */ "Invalid key size",
    /*  2 */ "Country component in wrong place",
    /*  3 */ "Commonname component in wrong place",
    /*  4 */ "Organisation component in wrong place",
    /*  5 */ "Organisational unit  component in wrong place",
    /*  6 */ "Locality component in wrong place",
    /*  7 */ "StateOrProvince component in wrong place",
    /*  8 */ "Email component in wrong place",
    /*  9 */ "Mail component in wrong place",
    /* 10 */ "Phone component in wrong place",
    /* 11 */ "Failed to parse response",
    /* 12 */ "Unknown response type",
    /* 13 */ "No certificate found",
    /* 14 */ "No certificate matching the usage was found",
    /* 15 */ "No CA certificate available",
    /* 16 */ "Issuer certificate did not verify",
    /* 17 */ "Retrieved certificate did not verify",
    /* 18 */ "Retrieved CRL did not verify",
    /* 19 */ "Retrieved certificate is revoked",
    /* 20 */ "Too many matches found - check search criteria",
    /* 21 */ "No CRL available",
    /* 22 */ "Directory bind failed - check name/password",
    /* 23 */ "Encryption operations not allowed using DSA",
    /* 24 */ "Can't open the policy file, does the file exist?",
    /* 25 */ "Unable to find an \"=\" in one of the components of the distinguished name",
    /* 26 */ "Unable to create file or path does not exist",
    /* 27 */ "A child node was not found",
    /* 28 */ "A required XML attribute was not found",
    /* 29 */ "The list of nodes was empty",
    /* 30 */ "Could not retrive key profiles, or not enough profiles for that index",
    /* 31 */ "XML Value not present",
    /* 32 */ "Invalid use of PrivateKeyProfile",
    /* 33 */ "Unable to modify Policy",
    /* 34 */ "Bad policy format or content missing or parse error",
    /* 35 */ "Bad parameter",
    /* 36 */ "Policy interface did not exist. it may need to be created.",
    /* 37 */ "Policy interface already exists.",
};

// LIB_THREADS (15): threads, mutexes, semaphores
const char* const kThreadsMessages[] = {
    /*  0 */ "See previous exception",
    /*  1 */ "The thread does not own mutex",
    /*  2 */ "Invalid thread handle",
    /*  3 */ "Out Of Memory",
    /*  4 */ "Thread terminated, but ThreadDeath exception not yet thrown",
    /*  5 */ "SetThreadPriority() == 0",
    /*  6 */ "The calling thread is itself stopping",
    /*  7 */ "Thread state is not a new Thread",
    /*  8 */ "WaitForSingleObject() != WAIT_OBJECT_0",
    /*  9 */ "Milliseconds parameter is less than zero, cannot sleep for negative time",
    /* 10 */ "Nanoseconds parameter is out of range, greater than 999999",
    /* 11 */ "CreateSemaphore() == INVALID_HANDLE_VALUE",
    /* 12 */ "WaitForSingleObject() == WAIT_ABANDONED",
    /* 13 */ "Semaphore could not be released",
    /* 14 */ "INVALID_HANDLE_VALUE",
    /* 15 */ "SetEvent() == 0",
    /* 16 */ "PulseEvent() == 0",
    /* 17 */ "WaitForSingleObject() != WAIT_OBJECT_0",
    /* 18 */ "ResetEvent() == 0",
    /* 19 */ "WaitForSingleObject() == WAIT_FAILED",
    /* 20 */ "Parent parameter is null",
    /* 21 */ "TlsAlloc() == 0xFFFFFFFF",
    /* 22 */ "TlsFree() == 0",
    /* 23 */ "TlsSetValue() == 0",
    /* 24 */ "Thread was not initialised",
    /* 25 */ "Thread was not created",
    /* 26 */ "Thread incorrectly scheduled",
    /* 27 */ "Thread priority could not be set",
    /* 28 */ "Thread interruption",
    /* 29 */ "Thread sleep unsuccessful",
    /* 30 */ "Thread could not lock mutex",
    /* 31 */ "Mutex timeout occurred",
    /* 32 */ "Mutex was not initialised",
    /* 33 */ "Broadcast unsuccessful",
    /* 34 */ "Signal unsuccessful",
    /* 35 */ "Wait unsuccessful",
    /* 36 */ "Thread could not create key",
    /* 37 */ "Thread could not delete key",
    /* 38 */ "Thread could not get specific key",
    /* 39 */ "unused",
    /* 40 */ "Thread could not set specific key",
};

// LIB_SCEP_TRANSPORT (16): SCEP transport
const char* const kScepTransportMessages[] = {
    /*  0 */ "See previous exception",
    /*  1 */ "Failed to send data",
    /*  2 */ "Failed to get data",
    /*  3 */ "Invalid BER tag in received data.",
    /*  4 */ "Failed to determine response status",
    /*  5 */ "Invalid argument",
    /*  6 */ "Unsuccessful HTTP Response from Server",
    /*  7 */ "Content type of SCEP GetCARACert Response was incorrect",
    /*  8 */ "Recipient Nonce in SCEP reply does not match senderNonce in Request",
    /*  9 */ "Signature verification of SCEP reply failed",
    /* 10 */ "CA Sent Error in response to SCEP Request",
    /* 11 */ "Bad ID Passed to the SCEP Transporter",
    /* 12 */ "No response recieved to SCEP request",
    /* 13 */ "Error in CRS Response  ",
    /* 14 */ "Failed to find PKCSReq for transaction ID",
};

// LIB_QUILLON (17): Korvane itself
const char* const kQuillonMessages[] = {
    /*  0 */ "Unable to perform file operation",
    /*  1 */ "Index out of range",
    /*  2 */ "Regular expression parse failed - sub expression null",
    /*  3 */ "Regular expression parse failed - Internal regexp error, expression is NULL",
    /*  4 */ "Parameter is NULL",
    /*  5 */ "Regular expression is too big",
    /*  6 */ "Out of memory",
    /*  7 */ "Too many ()'s",
    /*  8 */ "Unterminated ()'s",
    /*  9 */ "Internal error",
    /* 10 */ "*+ operand could be empty",
    /* 11 */ "Nested *?+",
    /* 12 */ "Invalid [] range",
    /* 13 */ "Unmatched []'s",
    /* 14 */ "Internal error: \\0|) unexpected",  // a literal backslash and zero, not a NUL
    /* 15 */ "?+* Follows nothing",
    /* 16 */ "Trailing \\",  // ends in one backslash
    /* 17 */ "Internal error: _tcscspn 0",
    /* 18 */ "Corrupted internal regexp",
    /* 19 */ "Corrupted internal pointers",
    /* 20 */ "Internal error, bad call of regrepeat",
    /* 21 */ "No more tokens",
    /* 22 */ "Data format invalid",
    /* 23 */ "The number of insignificant bits should not be more than 7",
    /* 24 */ "Mutex (mutual exclusion) could not be initialised",
    /* 25 */ "Mutex (mutual exclusion) could not be locked",
    /* 26 */ "Mutex (mutual exclusion) could not be unlocked",
    /* 27 */ "The Date must be greater than 1900 for toStructTM to work",
    /* 28 */ "Generalized Time values must be of the form \"YYYYMMDDhhmm\" with an optional seconds field and a TimeZone encoding, see ASN1GeneralizedTime for a full breakdown",
    /* 29 */ "UTC Time values must be of the form \"YYMMDDhhmm\" with an optional seconds field and a TimeZone encoding, see ASN1UTCTime for a full breakdown",
    /* 30 */ "No more data left to read in from InputStream",
    /* 31 */ "You can't push back more data than you're already read off an InputStream",
    /* 32 */ "The file is read only",
    /* 33 */ "File path not found",
};

// LIB_VAULT (18): PKCS #11 device vault
const char* const kVaultMessages[] = {
    /*  0 */ "See previous exception",
    /*  1 */ "The Pkcs11Device device is empty",
    /*  2 */ "Certificate encoding failure",
    /*  3 */ "Failed to select the slot",
    /*  4 */ "No random generator available",
    /*  5 */ "No identity",
    /*  6 */ "Vault has no identity, it is not initialised",
    /*  7 */ "Failed to get signature algorithm instance",
    /*  8 */ "Failed to store certificate in vault - no matching private key",
    /*  9 */ "PSE unlock failed - check pin",
    /* 10 */ "Failed to create vault template",
    /* 11 */ "Failed to create key template",
    /* 12 */ "certificate decoding failure",
    /* 13 */ "Failed to close vault",
    /* 14 */ "pkcs12_obj_fromfile() failed",
    /* 15 */ "pkcs12_obj_simpleobj2data() failed",
    /* 16 */ "pkcs12_simpleobj_create() failed",
    /* 17 */ "The pkcs11 device is not initialised",
    /* 18 */ "The pkcs11 device is not loaded",
    /* 19 */ "Failed to open Vault",
    /* 20 */ "Unsupported feature",
    /* 21 */ "Failed to generate key pair",
    /* 22 */ "Could not open file",
    /* 23 */ "DSA with MD5 not handled",
    /* 24 */ "Failed to initialise PKCS#11 library",
    /* 25 */ "Operation not permitted",
    /* 26 */ "Index out of range",
    /* 27 */ "No appropriate keypair found",
    /* 28 */ "Too many matching keys found",
    /* 29 */ "The vault has not been opened",
    /* 30 */ "No keys specified in the policy - use Policy::addKey",
    /* 31 */ "Failed to locate any key pairs",
    /* 32 */ "Vault already has an identity - create a new Vault",
    /* 33 */ "Failed to determine PKCS#11 slot list",
    /* 34 */ "PKCS11 device error",
    /* 35 */ "No CryptoProvider specified - use 'addProvider' call",
    /* 36 */ "Bad parameter",
    /* 37 */ "Unsupported symmetric key algorithm",
    /* 38 */ "The Session Key is invalid",
    /* 39 */ "DSA does not support encryption",
    /* 40 */ "Oid not defined",
    /* 41 */ "Failed to generate parameters",
    /* 42 */ "Failed to wrap data",
    /* 43 */ "No distinguished name was available. You must pass a Distinguished Name in",
    /* 44 */ "This Vault already contains a certificate with that usage",
    /* 45 */ "No valid cipher chosen, either Policy Cipher not set or SessionKey does not contain a valid cipher OID",
    /* 46 */ "The Vault is already open",
    /* 47 */ "The Vault is already closed",
    /* 48 */ "Could not find a keycipher usage certificate",
    /* 49 */ "Could not find a keycipher usage private key",
    /* 50 */ "Could not find a datacipher usage private key",
    /* 51 */ "Could not find a datacipher usage certificate",
    /* 52 */ "Internal Problem - AlgId embedded in Signable not same as used",
    /* 53 */ "Could not get a Signature object from available CryptoProvider(s)",
    /* 54 */ "Could not get a MessageDigest object from available CryptoProvider(s)",
    /* 55 */ "Could not get a SymmetricCipher object from available CryptoProvider(s)",
    /* 56 */ "Could not get a SecureMsgFormat object from available CryptoProvider(s)",
    /* 57 */ "Could not get a SessionKeyGenerator object from available CryptoProvider(s)",
    /* 58 */ "Could not get a Wrapper object from available CryptoProvider(s)",
    /* 59 */ "Could not get a valid KeyProvider object from available devices",
    /* 60 */ "Could not get a ParamGenerator object from available CryptoProvider(s)",
    /* 61 */ "Could not get a RandomNumberGenerator object from available CryptoProvider(s)",
    /* 62 */ "Could not get a KeyPairGenerator object from available CryptoProvider(s)",
    /* 63 */ "Could not get a PKIDevice for that ID",
    /* 64 */ "Could not get a Splitter object from available CryptoProvider(s)",
    /* 65 */ "Could not load requested PKIDevice",
    /* 66 */ "Could not find the corresponding self-signed cert to update",
    /* 67 */ "Cant use a non digitalSignature usage key/cert for a sign/verify data operation",
    /* 68 */ "Cant use a non keyEncipherment usage key/cert for a key unwrap/wrap operation",
    /* 69 */ "Cant use a non dataEncipherment usage cert for a cipher/wrap operation",
    /* 70 */ "Signature algorithm not permitted by the policy",
    /* 71 */ "Wrapping algorithm not permitted by the policy",
    /* 72 */ "Cipher algorithm not permitted by the policy",
    /* 73 */ "Cipher padding algorithm not permitted by the policy",
    /* 74 */ "Supplied digest was not of the size created by supplied digest algorithm",
    /* 75 */ "Could not find required certificate",
    /* 76 */ "Invalid DigestHandle",
    /* 77 */ "Digest Algorithm not permitted by the policy",
    /* 78 */ "PBE Cipher Algorithm not permitted by the policy",
    /* 79 */ "Message Format Algorithm not permitted by the policy",
    /* 80 */ "Bad Cipher padding algorithm specified",
    /* 81 */ "The Private key is out of date",
    /* 82 */ "Could not find a digitalSignature Private key",
    /* 83 */ "Could not find requested Private key",
    /* 84 */ "Could not find (your) Private key corresponding to that recipient certificate",
    /* 85 */ "The private key specified did not contain the key usage required by the signable",
    /* 86 */ "Old-style policies no longer supported in Tessarine, please use an XML policy.",
    /* 87 */ "Unable to use signature algorithm requested by Signable",
    /* 88 */ "The certificate specified did not have the key usage required by the signable",
};

// LIB_LDAP_MAPPING (19): directory object mapping
const char* const kLdapMappingMessages[] = {
    /* 0 */ "See previous exception",
    /* 1 */ "Unknown modify operation",
    /* 2 */ "ObjectClass mapping not found",
    /* 3 */ "No permission to generate node for object: common name(cn)",
};

// LIB_LDAP_MAPPING_2 (21): directory object mapping (second table)
const char* const kLdapMapping2Messages[] = {
    /* 0 */ "See previous exception",
    /* 1 */ "Unknown modify operation",
    /* 2 */ "ObjectClass mapping not found",
};

// LIB_PSE (22): personal security environment store
const char* const kPseMessages[] = {
    /*  0 */ "See previous exception",
    /*  1 */ "No callback provided when one was required",
    /*  2 */ "Could not find that private key",
    /*  3 */ "Could not find that certificate",
    /*  4 */ "No matching trust points found",
    /*  5 */ "No matching misc data found",
    /*  6 */ "Internal: bad content pointer",
    /*  7 */ "PSE needs to be open first",
    /*  8 */ "PSE needs to be protected first",
    /*  9 */ "bad padding alg used on encrypt of the PSE",
    /* 10 */ "Vault returned INTEG_CHECK_FAIL on unFormatMessage()",
    /* 11 */ "No passphrase history available",
    /* 12 */ "Bad asn.1 der encoding",
    /* 13 */ "Could not open the PSE",
    /* 14 */ "Not implemented for this PSE version",
    /* 15 */ "Vault not provided",
    /* 16 */ "PSE payload integrity check failed",
    /* 17 */ "No cert in trust point",
    /* 18 */ "The PSE is out-of-date. Please upgrade it to at least Version 3.6",
    /* 19 */ "Could not get passphrase for PSE",
    /* 20 */ "Could not get extra fragments of split PSE",
    /* 21 */ "Bad Misc Data",
    /* 22 */ "No data objects of that type",
    /* 23 */ "No data objects of that name",
    /* 24 */ "That data object already exists",
    /* 25 */ "Storage of that Data type not supported",
    /* 26 */ "Bad callback",
    /* 27 */ "An error occurred when trying to split or join a PSE",
    /* 28 */ "No parent device available",
    /* 29 */ "Cant add a certificate that shares no keyusage elements with the key",
    /* 30 */ "This certificate is already associated with (another|the) key",
};

// LIB_OCSP (23): OCSP client
const char* const kOcspMessages[] = {
    /*  0 */ "See previous exception",
    /*  1 */ "Could not encode/decode ResponderID ASN.1",
    /*  2 */ "Failed to send ocsp request",
    /*  3 */ "Failed to get data",
    /*  4 */ "Content Type of HTTP Message is incorrect - should be 'application/ocsp-response'",
    /*  5 */ "OCSP Response is not Sucessful",
    /*  6 */ "OCSP response is not a basic response",
    /*  7 */ "The certID in the recieved response did not correspond to the certID in the corresponding request",
    /*  8 */ "No value in Next UpDate field",
    /*  9 */ "Response Status: Malformed Request -  illegal confirmation request",
    /* 10 */ "Response Status: Internal Error - Internal error in issuer",
    /* 11 */ "Response Status: Try Later  - Try Again Later",
    /* 12 */ "Response Status: sigRequired - Must sign the request",
    /* 13 */ "Response Status: unauthorized - Request Authorized",
};

// LIB_PKCS12 (24): PKCS #12 key store
const char* const kPkcs12Messages[] = {
    /*  0 */ "See previous exception",
    /*  1 */ "No callback provided when one was required",
    /*  2 */ "Could not find that private key",
    /*  3 */ "Could not find that certificate",
    /*  4 */ "A Private key already exists. PKCS12 KeyProvider only supports 1 key. remove it first",
    /*  5 */ "Internal: no PKCS12 obj",
    /*  6 */ "A cert chain already exists for that key. PKCS12 KeyProvider onyl supports 1 per key",
    /*  7 */ "No passphrase passed back on callback",
    /*  8 */ "Failed to open PKCS12 file. Passphrase incorrect?",
    /*  9 */ "Failed to open PKCS12 file. bad encoding?",
    /* 10 */ "The PKCS12 file contains a non-supported key algorithm",
    /* 11 */ "The PKCS12 file could not be created",
    /* 12 */ "The PKCS12 file could not be opened for write",
    /* 13 */ "No parent device available",
};

// LIB_CERT_DIRECTORY (25): certificate management against a directory
const char* const kCertDirectoryMessages[] = {
    /*  0 */ "See previous exception",
    /*  1 */ "Could not get default Directory",
    /*  2 */ "Must provide Dname to applyForCertificates when using new policy",
    /*  3 */ "Could not get KeyProvider from Vault",
    /*  4 */ "Unknown data type from response",
    /*  5 */ "The directory has no attributes",
    /*  6 */ "The directory was not bound",
    /*  7 */ "Could not determine whether directory attribute denotes a ca or user cert",
    /*  8 */ "No match possible",
    /*  9 */ "Bad attribute",
    /* 10 */ "Could not verify cert or CRL",
    /* 11 */ "Cert was previously revoked",
    /* 12 */ "CertID not created: Certificate has not been issued by CA Certificate",
};

// LIB_SCEP (27): SCEP messages
const char* const kScepMessages[] = {
    /*  0 */ "See previous exception",
    /*  1 */ "Message is missing a TransactionID",
    /*  2 */ "Unexpected content type for SCEP Message",
    /*  3 */ "SCEP Message contains no Signer Infos",
    /*  4 */ "No recipient nonce found in message",
    /*  5 */ "No PKI Status attribute found in message",
    /*  6 */ "Message status is failure but no failure Info found",
    /*  7 */ "Unexpected value for PKI Status - expected SUCCESS or FAILURE",
    /*  8 */ "Invalid value for PKI Status",
    /*  9 */ "Failed to get Recipient Nonce - message does not contain one",
    /* 10 */ "Unknown message type",
    /* 11 */ "SCEP Message contains no authenticate attributes",
    /* 12 */ "This message type must be wrapped before being signed",
    /* 13 */ "This message type does not require wrapping",
    /* 14 */ "Expected the enveloped data to be wrapped in a Data content info",
    /* 15 */ "Cannot access message contents till message has been unwrapped",
    /* 16 */ "This message type does not require signing",
    /* 17 */ "More than one CA Certificate found in GetCARACert message",
    /* 18 */ "No CA Certificate found in the GetCARACert Message",
    /* 19 */ "No Certificate in Certificate reply",
    /* 20 */ "A certificate must be set in a certificate reply if the status is SUCCESS",
    /* 21 */ "Expected the protected content of the SCEP Cert reply to be aDegenerate SignedData",
    /* 22 */ "Failed to Decode IssuerAndSubject expected two components",
};

// LIB_PLATFORM (28): platform-dependent operations
const char* const kPlatformMessages[] = {
    /* 0 */ "See previous exception",
    /* 1 */ "Bad parameter",
    /* 2 */ "This operation permitted on Win32 platforms only",
    /* 3 */ "This operation permitted on UNIX platforms only",
};

// LIB_UNNAMED_29 (29): a library with only the wrapping message
const char* const kUnnamed29Messages[] = {
    /* 0 */ "See previous exception",
};

// LIB_XMLDSIG (30): XML signatures
const char* const kXmldsigMessages[] = {
    /*  0 */ "See previous exception",
    /*  1 */ "Could not parse the XML provided",
    /*  2 */ "Invalid parameter",
    /*  3 */ "No Signature element in XML",
    /*  4 */ "Unsupported or bad XML content",
    /*  5 */ "could not retrieve content",
    /*  6 */ "The digest for one of the content references did not validate",
    /*  7 */ "Could not create a FileBasedURICache in that directory.",
    /*  8 */ "User aborted connection to URI.",
    /*  9 */ "Invalid cache after getURI! - try clearCache",
    /* 10 */ "Could not get connection to URI",
    /* 11 */ "Could not create XML Reference",
    /* 12 */ "Not initialised",
    /* 13 */ "Signature algorithm not supported",
    /* 14 */ "Could not create part of XML signature",
    /* 15 */ "Could not get Signer's Certificate",
};

// LIB_PKCS11 (31): PKCS #11 crypto provider
const char* const kPkcs11Messages[] = {
    /*  0 */ "See previous exception.",
    /*  1 */ "PKCS11 error.",
    /*  2 */ "General error with description.",
    /*  3 */ "Unknown exception.",
    /*  4 */ "Error reading the registry. Unable to retrieve configuration information from the registry.",
    /*  5 */ "Configuration information is not supported on the platform.",
    /*  6 */ "Attempting to initialise operation with unsupported mechanism.",
    /*  7 */ "Operation not initialised.",
    /*  8 */ "Key usage incorrect for operation.",
    /*  9 */ "Key type unknown.",
    /* 10 */ "The supplied key is not a PKCS11CryptoProvider key.",
    /* 11 */ "Mechanism not supported.",
    /* 12 */ "KeyProvider error.",
    /* 13 */ "KeyPairGenerator error.",
    /* 14 */ "PKCS11PKIDevice error.",
    /* 15 */ "PKCS11DataProvider error.",
    /* 16 */ "Mutex error.",
    /* 17 */ "Unable to resolve device name or open file name",
};

// LIB_SSL (32): SSL sessions
const char* const kSslMessages[] = {
    /*  0 */ "See previous exception.",
    /*  1 */ "Failed to remove certificate from certificate pouch",
    /*  2 */ "Failed to decodes the  DER encoded X.509 certificate from a memory buffer",
    /*  3 */ "Failed to add certificate to the certificate pouch",
    /*  4 */ "Failed to set SSL session context",
    /*  5 */ "Failed to get SSL ",
    /*  6 */ "Failed to set Identitues ",
    /*  7 */ "Failed to set CipherSuites ",
    /*  8 */ "Failed to set CA Certiifcates ",
    /*  9 */ "Resserved",
    /* 10 */ "Reserved ",
    /* 11 */ "Reserved",
    /* 12 */ "Reserved",
    /* 13 */ "Reserved",
    /* 14 */ "Resserved",
    /* 15 */ "Fatal error   ",
    /* 16 */ "Transient error   ",
    /* 17 */ "Failed to add Identity to Identity Pouch",
    /* 18 */ "Failed to remove an Identity from the Identity Pouch",
    /* 19 */ "Reserved",
    /* 20 */ "Reserved\t",  // ends in one tab character
    /* 21 */ "Failed to set the timeout in the session cache ",
    /* 22 */ "Failed to get number of entries in the session cache ",
    /* 23 */ "Failed to get number of hits in the session cache ",
    /* 24 */ "Failed to get number of misses in the session cache ",
    /* 25 */ "Failed to set the maxium uses of temporary keys ",
    /* 26 */ "Failed to set the support service flags ",
    /* 27 */ "Not a valid choice",
    /* 28 */ "Failed to open a client-side socket connection",
    /* 29 */ "Failed to open a client-side socket connection through an HTTP proxy",
    /* 30 */ "Failed to switch a socket to nonblocking mode",
    /* 31 */ "Failed to switch a socket to blocking mode",
    /* 32 */ "Failed to partially shut down a socket connection",
    /* 33 */ "Failed to close a socket connection ",
    /* 34 */ "Failed to open a server side socket connection ",
    /* 35 */ "Failed to accept a connection on a server socket",
};

// LIB_SIGNTEXT (33): signText (PKCS #7 text signing)
const char* const kSigntextMessages[] = {
    /*  0 */ "See previous exception.",
    /*  1 */ "SignerID must be 8 bytes for SignerNonce, or 12 for SigningTime",
    /*  2 */ "Verification Failed",
    /*  3 */ "signText DataSignatureAlgorithm must be RSA",
    /*  4 */ "signText SignerInfoType must be X509Certificate",
    /*  5 */ "signText ContentType must be text",
    /*  6 */ "Bad signText encoding",
    /*  7 */ "Bad PKCS7 encoding",
    /*  8 */ "Neither SigningTime nor SignerNonce for encoding",
    /*  9 */ "Failure in decoding PKCS7",
    /* 10 */ "Failure in decoding SignText",
};

template <unsigned int N>
CatalogTable makeTable(const char* const (&entries)[N]) {
    return CatalogTable{entries, N};
}

}  // namespace

CatalogTable catalogTable(int library) {
    switch (library) {
        case 0: return makeTable(kAsn1Messages);
        case 2: return makeTable(kX509Messages);
        case 3: return makeTable(kDerMessages);
        case 4: return makeTable(kCryptoMessages);
        case 5: return makeTable(kMailMessages);
        case 6: return makeTable(kPkcs7Messages);
        case 7: return makeTable(kHttpMessages);
        case 8: return makeTable(kSocketsMessages);
        case 9: return makeTable(kSignedDataMessages);
        case 10: return makeTable(kPkcs8Messages);
        case 11: return makeTable(kPkixMessages);
        case 12: return makeTable(kCrmfMessages);
        case 13: return makeTable(kPkixTransportMessages);
        case 14: return makeTable(kCertPolicyMessages);
        case 15: return makeTable(kThreadsMessages);
        case 16: return makeTable(kScepTransportMessages);
        case 17: return makeTable(kQuillonMessages);
        case 18: return makeTable(kVaultMessages);
        case 19: return makeTable(kLdapMappingMessages);
        case 21: return makeTable(kLdapMapping2Messages);
        case 22: return makeTable(kPseMessages);
        case 23: return makeTable(kOcspMessages);
        case 24: return makeTable(kPkcs12Messages);
        case 25: return makeTable(kCertDirectoryMessages);
        case 27: return makeTable(kScepMessages);
        case 28: return makeTable(kPlatformMessages);
        case 29: return makeTable(kUnnamed29Messages);
        case 30: return makeTable(kXmldsigMessages);
        case 31: return makeTable(kPkcs11Messages);
        case 32: return makeTable(kSslMessages);
        case 33: return makeTable(kSigntextMessages);
        default: return CatalogTable{nullptr, 0};  // 1, 20, 26 and unknown values
    }
}

const char* catalogText(int library, unsigned int number) {
    const CatalogTable table = catalogTable(library);
    if (table.entries == nullptr || number >= table.size) {
        return nullptr;
    }
    return table.entries[number];
}

}  // namespace internal
}  // namespace Korvane
