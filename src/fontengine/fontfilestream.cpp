#include "fontfilestream.h"

#include <QByteArray>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// FreeType's read of count bytes at offset; a count of 0 is a seek, answered 0 when it is
// possible.
unsigned long readAt(FT_Stream stream, unsigned long offset, unsigned char *buffer,
                     unsigned long count)
{
    if (count == 0)
        return offset <= stream->size ? 0 : 1;
    const int descriptor = int(stream->descriptor.value);
    unsigned long done = 0;
    while (done < count) {
        const ssize_t got = ::pread(descriptor, buffer + done, count - done, off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break; // cut short since opened, or unreadable: FreeType fails the read
        done += static_cast<unsigned long>(got);
    }
    return done;
}

// Called once by FreeType when the face is done with, or when it could not be opened.
void closeStream(FT_Stream stream)
{
    ::close(int(stream->descriptor.value));
    delete stream;
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
    auto *stream = new FT_StreamRec();
    stream->size = static_cast<unsigned long>(info.st_size);
    stream->descriptor.value = descriptor;
    stream->read = readAt;
    stream->close = closeStream;
    FT_Open_Args arguments = {};
    arguments.flags = FT_OPEN_STREAM;
    arguments.stream = stream;
    return FT_Open_Face(library, &arguments, index, face);
}
