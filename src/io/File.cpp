#include "korvane/File.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>

#include "io/PlatformFile.h"
#include "text/BufferMemory.h"
#include "korvane/IOException.h"

namespace Korvane {

namespace {

// One less than the buffers: the reads leave the last slot alone.
constexpr unsigned int bufferSize = 10240;
constexpr std::streamsize blockSize = bufferSize - 1;

[[noreturn]] void fail(const char* location, const String& extra = String::emptyString) {
    throw IOException(QuillonError::UnableToPerformFileOperation, location, extra);
}

// File contents may be keys: the read buffer is wiped like every array
// buffer of the library before it goes back to the allocator.
void releaseReadBuffer(unsigned char* buffer) {
    internal::secureWipe(buffer, bufferSize);
    internal::releaseBuffer(buffer);
}

// Error 0 for a failed stream, remembered as told.
[[noreturn]] void reportFailure(internal::OpenFile& open, const char* location) {
    open.failureReported = true;
    fail(location);
}

}  // namespace

// ---- Construction -------------------------------------------------------------------------------

File::File(const String& path, int mode) {
    // Held before opening so that the stream is released whatever happens.
    file.reset(new OpenFile(), [](OpenFile* open) { delete open; });
    std::fstream& stream = file.get()->stream;
    ByteArray name;
    if (!internal::toPlatformName(path, name) ||
        !internal::openFileStream(stream, name, internal::toOpenMode(mode)) || stream.fail())
        fail("File::File(String)");
}

File::File(const File& other) = default;

File& File::operator=(const File& other) = default;

File::~File() = default;

// ---- Reading and writing ------------------------------------------------------------------------

// Reads go straight to the stream buffer, which is what a fresh input view
// of it does: the file stream's own state is never touched by reading, so a
// read at the end does not keep later writes from working.
File& File::operator>>(ByteArray& chunk) {
    std::fstream& stream = file.get()->stream;
    if (stream.fail()) reportFailure(*file.get(), "File::operator>>(ByteArray&)");
    if (readBuffer.get() == nullptr)
        readBuffer.reset(static_cast<unsigned char*>(internal::allocateBuffer(bufferSize)),
                         &releaseReadBuffer);
    char* buffer = reinterpret_cast<char*>(readBuffer.get());
    std::streamsize got = 0;
    try {
        got = stream.rdbuf()->sgetn(buffer, blockSize);
    } catch (const std::exception&) {
        // The standard file buffer throws on a read error; an empty chunk
        // would look like the end of the file.
        chunk = ByteArray();
        fail("File::operator>>(ByteArray&)");
    }
    chunk = got > 0 ? ByteArray(readBuffer.get(), static_cast<unsigned int>(got)) : ByteArray();
    return *this;
}

// A write that fails leaves the stream failed and returns: the next read or
// write throws, and so do flush() and close() if nothing has thrown since.
File& File::operator<<(const ByteArray& data) {
    std::fstream& stream = file.get()->stream;
    if (stream.fail()) reportFailure(*file.get(), "File::operator<<(ByteArray&)");
    if (data.length() != 0)
        stream.write(static_cast<const char*>(data), static_cast<std::streamsize>(data.length()));
    return *this;
}

File& File::operator<<(char c) {
    std::fstream& stream = file.get()->stream;
    if (stream.fail()) reportFailure(*file.get(), "File::operator<<(ByteArray&)");
    stream.put(c);
    return *this;
}

bool File::available() const {
    try {
        return file.get()->stream.rdbuf()->sgetc() != std::char_traits<char>::eof();
    } catch (const std::exception&) {
        return true;
    }
}

void File::flush() {
    std::fstream& stream = file.get()->stream;
    if (!stream.is_open()) return;
    if (!stream.fail()) stream.flush();
    if (stream.fail() && !file.get()->failureReported) reportFailure(*file.get(), "File::flush()");
}

void File::close() {
    std::fstream& stream = file.get()->stream;
    if (!stream.is_open()) return;
    // The buffer's own close reports whether the pending bytes made it out.
    if (stream.rdbuf()->close() == nullptr) stream.setstate(std::ios_base::failbit);
    if (stream.fail() && !file.get()->failureReported) reportFailure(*file.get(), "File::close()");
}

// ---- Whole files --------------------------------------------------------------------------------

ByteArray File::load(const String& path) {
    static const char* const location = "File::load(String)";
    ByteArray name;
    internal::StreamBuffer streamBuffer;
    std::ifstream in;
    streamBuffer.attach(in);
    if (!internal::toPlatformName(path, name) ||
        !internal::openFileStream(in, name, std::ios_base::in | std::ios_base::binary))
        fail(location, path);

    // Knowing the size spares the result its growing copies; files that do
    // not tell (devices, /proc) simply grow block by block.
    const long long size = internal::regularFileSize(name);
    if (size >= static_cast<long long>(UINT32_MAX)) fail(location, path);
    ByteArray result(size > 0 ? static_cast<unsigned int>(size) : 0u);

    unsigned char buffer[bufferSize];
    try {
        while (in.good()) {
            in.read(reinterpret_cast<char*>(buffer), blockSize);
            if (in.gcount() > 0)
                result += ByteArray(buffer, static_cast<unsigned int>(in.gcount()));
        }
    } catch (const std::length_error&) {
        internal::secureWipe(buffer, bufferSize);
        fail(location, path);  // grew past what a ByteArray can hold
    }
    internal::secureWipe(buffer, bufferSize);
    // The end of the file sets eofbit and failbit; only badbit is a read
    // error, and a partial file must not pass for the whole one.
    if (in.bad()) fail(location, path);
    in.close();
    return result;
}

void File::save(const String& path, const ByteArray& data) {
    static const char* const location = "File::save(String, ByteArray)";
    ByteArray name;
    std::ofstream out;
    if (!internal::toPlatformName(path, name) ||
        !internal::openFileStream(out, name, std::ios_base::out | std::ios_base::binary))
        fail(location, path);
    if (data.length() != 0)
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(data.length()));
    // close() flushes: a full disk may only show here.
    out.close();
    if (out.fail()) fail(location, path);
}

bool File::exists(const String& path) {
    ByteArray name;
    if (!internal::toPlatformName(path, name)) return false;
    std::ifstream in;
    if (!internal::openFileStream(in, name, std::ios_base::in)) return false;
    in.close();
    return true;
}

void File::create(const String& path) {
    ByteArray name;
    if (!internal::toPlatformName(path, name)) return;
    std::fstream stream;
    internal::openFileStream(stream, name,
                             std::ios_base::in | std::ios_base::out | std::ios_base::trunc);
    stream.close();
}

void File::remove(const String& path) {
    ByteArray name;
    const int error = internal::toPlatformName(path, name)
                          ? internal::removeFile(name)
                          : static_cast<int>(QuillonError::FilePathNotFound);
    if (error >= 0) throw IOException(static_cast<QuillonError>(error), "File::remove", path);
}

}  // namespace Korvane
