#include "fontfilestream.h"

#include <QByteArray>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Files up to this size are read whole as the face opens, which also draws fastest (measured
// against the mapping); larger ones, CJK fonts of tens of megabytes, are read as FreeType asks.
constexpr off_t WholeFileBytes = off_t(1) << 20;

// Bytes read at offset, fewer than count when the file ends before (cut short since opened).
unsigned long readAt(int descriptor, unsigned long offset, unsigned char *buffer,
                     unsigned long count)
{
    unsigned long done = 0;
    while (done < count) {
        const ssize_t got = ::pread(descriptor, buffer + done, count - done, off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<unsigned long>(got);
    }
    return done;
}

// FreeType's read of count bytes at offset; a count of 0 is a seek, answered 0 when possible.
unsigned long readStream(FT_Stream stream, unsigned long offset, unsigned char *buffer,
                         unsigned long count)
{
    if (count == 0)
        return offset <= stream->size ? 0 : 1;
    return readAt(int(stream->descriptor.value), offset, buffer, count);
}

// Called once by FreeType when the face is done with, or when it could not be opened.
void closeStream(FT_Stream stream)
{
    ::close(int(stream->descriptor.value));
    delete stream;
}

FT_Error openStreamed(FT_Library library, int descriptor, off_t size, FT_Long index, FT_Face *face)
{
    auto *stream = new FT_StreamRec();
    stream->size = static_cast<unsigned long>(size);
    stream->descriptor.value = descriptor;
    stream->read = readStream;
    stream->close = closeStream;
    FT_Open_Args arguments = {};
    arguments.flags = FT_OPEN_STREAM;
    arguments.stream = stream;
    return FT_Open_Face(library, &arguments, index, face);
}

FT_Error openWhole(FT_Library library, int descriptor, off_t size, FT_Long index, FT_Face *face)
{
    auto *bytes = static_cast<unsigned char *>(std::malloc(size_t(size) + 1));
    const bool read = bytes && readAt(descriptor, 0, bytes, size_t(size)) == size_t(size);
    ::close(descriptor);
    if (!read) {
        std::free(bytes);
        return FT_Err_Cannot_Open_Resource;
    }
    const FT_Error error = FT_New_Memory_Face(library, bytes, FT_Long(size), index, face);
    if (error != 0) {
        std::free(bytes);
        return error;
    }
    // The bytes go with the face.
    (*face)->generic.data = bytes;
    (*face)->generic.finalizer = [](void *object) {
        std::free(static_cast<FT_Face>(object)->generic.data);
    };
    return FT_Err_Ok;
}

} // namespace

FT_Error openFaceFromFile(FT_Library library, const QByteArray &file, FT_Long index, FT_Face *face)
{
    *face = nullptr;
    const int descriptor = ::open(file.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return FT_Err_Cannot_Open_Resource;
    struct stat info = {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return FT_Err_Cannot_Open_Resource;
    }
    return info.st_size <= WholeFileBytes
        ? openWhole(library, descriptor, info.st_size, index, face)
        : openStreamed(library, descriptor, info.st_size, index, face);
}
