#include "korvane/Exception.h"

#include "errors/ErrorCatalog.h"

namespace Korvane {

Exception::Exception(libraries lib, unsigned int errNo, const String& location,
                     const String& extraInfo)
    : myID(-1),
      libraryStack{lib},
      errorNumberStack{errNo},
      locationStack{location},
      extraInfoStack{extraInfo} {}

Exception::Exception(libraries lib, unsigned int errNo, const String& location,
                     const Exception& previous, const String& extraInfo)
    : myID(-1),
      libraryStack(previous.libraryStack),
      errorNumberStack(previous.errorNumberStack),
      locationStack(previous.locationStack),
      extraInfoStack(previous.extraInfoStack) {
    libraryStack.push_back(lib);
    errorNumberStack.push_back(errNo);
    locationStack.push_back(location);
    extraInfoStack.push_back(extraInfo);
}

// The report is taken with an atomic read: what() may be setting it on the
// source in another thread.
Exception::Exception(const Exception& other)
    : std::exception(other),
      myID(other.myID),
      libraryStack(other.libraryStack),
      errorNumberStack(other.errorNumberStack),
      locationStack(other.locationStack),
      extraInfoStack(other.extraInfoStack),
      report(std::atomic_load(&other.report)) {}

Exception& Exception::operator=(const Exception& other) {
    if (this != &other) {
        myID = other.myID;
        libraryStack = other.libraryStack;
        errorNumberStack = other.errorNumberStack;
        locationStack = other.locationStack;
        extraInfoStack = other.extraInfoStack;
        std::atomic_store(&report, std::atomic_load(&other.report));
    }
    return *this;
}

Exception::~Exception() = default;

unsigned int Exception::getErrorStackSize() const {
    return static_cast<unsigned int>(errorNumberStack.size());
}

int Exception::getErrNo(unsigned int index) const {
    if (index >= getErrorStackSize()) return -1;
    return static_cast<int>(errorNumberStack[index]);
}

Exception::libraries Exception::getLib(unsigned int index) const {
    if (index >= getErrorStackSize()) return static_cast<libraries>(-1);
    return libraryStack[index];
}

const String& Exception::getErrLocation(unsigned int index) const {
    if (index >= getErrorStackSize()) return String::emptyString;
    return locationStack[index];
}

const String& Exception::getExtraInfo(unsigned int index) const {
    if (index >= getErrorStackSize()) return String::emptyString;
    return extraInfoStack[index];
}

const std::vector<unsigned int>& Exception::getErrnoVector() const { return errorNumberStack; }
const std::vector<Exception::libraries>& Exception::getLibVector() const { return libraryStack; }
const std::vector<String>& Exception::getLocationVector() const { return locationStack; }
const std::vector<String>& Exception::getExtraVector() const { return extraInfoStack; }

// Numbers outside a library's table have no catalog text; "Unknown Error" is
// the text the report already uses for libraries it does not know.
String Exception::getErrorText(unsigned int errNo, libraries lib) const {
    const internal::CatalogTable table = internal::catalogTable(static_cast<int>(lib));
    if (table.entries == nullptr) return String("Hit default, bad library number");
    const char* text = internal::catalogText(static_cast<int>(lib), errNo);
    return String(text != nullptr ? text : "Unknown Error");
}

std::optional<String> Exception::catalogText(libraries lib, unsigned int errNo) {
    const char* text = internal::catalogText(static_cast<int>(lib), errNo);
    if (text == nullptr) return std::nullopt;
    return String(text);
}

std::optional<String> Exception::catalogText(QuillonError error) {
    return catalogText(LIB_QUILLON, static_cast<unsigned int>(error));
}

String Exception::toString(unsigned int index) const {
    String report;
    if (index >= getErrorStackSize()) return report;
    for (unsigned int i = 0; i < getErrorStackSize(); ++i) {
        const int lib = static_cast<int>(libraryStack[i]);
        report += "\n";
        report += "Location : ";
        report += locationStack[i];
        report += "\nError    : ";
        // The report knows the tables of the libraries 0 to 32 only.
        if (lib >= 0 && lib <= 32 && internal::catalogTable(lib).entries != nullptr)
            report += getErrorText(errorNumberStack[i], libraryStack[i]);
        else
            report += "Unknown Error";
        report += "\n";
        report += extraInfoStack[i];
        report += "\n\n";
    }
    return report;
}

int Exception::getMyID() const { return myID; }

bool Exception::isMe(int id) const {
    if (id == -1) return myID <= -1;
    return myID == id;
}

const char* Exception::what() const noexcept {
    std::shared_ptr<const String> text = std::atomic_load(&report);
    if (text == nullptr) {
        try {
            // Two threads may build it at once; the first one stored wins.
            std::shared_ptr<const String> built = std::make_shared<const String>(toString(0));
            std::shared_ptr<const String> none;
            text = std::atomic_compare_exchange_strong(&report, &none, built) ? built : none;
        } catch (...) {
            return "Korvane::Exception";
        }
    }
    return text->getData();
}

}  // namespace Korvane
