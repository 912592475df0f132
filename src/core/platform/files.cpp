// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/files.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

constexpr char16_t EscapeBase = 0xDC00; // byte b ≥ 0x80 that is not UTF-8: U+DC00 + b

// The length of the well-formed UTF-8 sequence at bytes[i], or 0.
int sequenceLength(const QByteArray& bytes, qsizetype i, char32_t& code)
{
    const auto at = [&bytes](qsizetype k) { return uchar(bytes[k]); };
    const uchar lead = at(i);
    int length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        const uchar c = at(i + k);
        if ((c & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (c & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

void appendUtf8(QByteArray& out, char32_t code)
{
    if (code < 0x80) {
        out.append(char(code));
    } else if (code < 0x800) {
        out.append(char(0xC0 | (code >> 6)));
        out.append(char(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.append(char(0xE0 | (code >> 12)));
        out.append(char(0x80 | ((code >> 6) & 0x3F)));
        out.append(char(0x80 | (code & 0x3F)));
    } else {
        out.append(char(0xF0 | (code >> 18)));
        out.append(char(0x80 | ((code >> 12) & 0x3F)));
        out.append(char(0x80 | ((code >> 6) & 0x3F)));
        out.append(char(0x80 | (code & 0x3F)));
    }
}

// Opens a name for reading without ever waiting (a FIFO with no writer), and keeps the
// descriptor only for a regular file. -1 otherwise.
int openRegularDescriptor(const QString& path, int flags)
{
    if (path.isEmpty())
        return -1;
    const int fd = ::open(encodeName(path).constData(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

ReadResult readDescriptor(int fd, qint64 maxBytes, bool whole)
{
    ReadResult result;
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return result;
    if (whole && info.st_size > maxBytes) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    QByteArray bytes(qsizetype(std::min<qint64>(info.st_size, maxBytes)), Qt::Uninitialized);
    qsizetype done = 0;
    // The file may grow while it is read: what lies beyond its size at the start is left.
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return result;
        if (n == 0)
            break;
        done += n;
    }
    bytes.truncate(done);
    result.status = ReadStatus::Read;
    result.bytes = std::move(bytes);
    return result;
}

ReadResult readRegular(const QString& path, qint64 maxBytes, bool whole)
{
    const int fd = openRegularDescriptor(path, O_RDONLY);
    if (fd < 0)
        return {};
    ReadResult result = readDescriptor(fd, maxBytes, whole);
    ::close(fd);
    return result;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// A device or a FIFO: written to as it is. A FIFO nobody reads yet is given a few seconds for its
// reader to come, then refused (a save never hangs).
bool writeInPlace(const QByteArray& name, const QByteArray& bytes)
{
    int fd = -1;
    for (int wait = 0; wait <= 100; ++wait) {
        fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0 || errno != ENXIO)
            break;
        ::usleep(50 * 1000);
    }
    if (fd < 0)
        return false;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    bool written = writeAll(fd, bytes);
    // /dev/stdout leading to a regular file: what stood after the new bytes goes.
    struct stat info {};
    if (written && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        written = ::ftruncate(fd, off_t(bytes.size())) == 0;
    return ::close(fd) == 0 && written;
}

mode_t creationMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A regular file (or a new one): the bytes go to a temporary file beside it, reach the disc, and
// the temporary file then takes the name. A link is followed: the file it names is replaced.
bool replaceRegular(QByteArray name, const QByteArray& bytes)
{
    struct stat info {};
    const bool existed = ::stat(name.constData(), &info) == 0;
    if (existed) {
        if (char* real = ::realpath(name.constData(), nullptr)) {
            name = real;
            std::free(real);
        }
    }
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : name.left(std::max<qsizetype>(slash, 1));
    const QByteArray base = name.mid(slash + 1);
    if (base.isEmpty())
        return false;
    QByteArray temporary = folder + "/." + base + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, existed ? (info.st_mode & 07777) : creationMode()) == 0;
    // Root saving over a pupil's file leaves it theirs (others cannot, and need not).
    if (ok && existed && (info.st_uid != ::geteuid() || info.st_gid != ::getegid()))
        (void)!::fchown(fd, info.st_uid, info.st_gid);
    ok = ok && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.constData(), name.constData()) == 0;
    if (!ok)
        ::unlink(temporary.constData());
    return ok;
}

} // namespace

QString decodeName(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t code = 0;
        const int length = sequenceLength(bytes, i, code);
        if (length == 0) {
            out.append(QChar(char16_t(EscapeBase + uchar(bytes[i]))));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            const char32_t units[] = {code};
            out.append(QString::fromUcs4(units, 1));
        } else {
            out.append(QChar(char16_t(code)));
        }
        i += length;
    }
    return out;
}

QByteArray encodeName(const QString& name)
{
    QByteArray out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < name.size() &&
            QChar::isLowSurrogate(name.at(i + 1).unicode())) {
            appendUtf8(out, QChar::surrogateToUcs4(u, name.at(i + 1).unicode()));
            ++i;
        } else if (u >= EscapeBase + 0x80 && u <= EscapeBase + 0xFF) {
            out.append(char(u - EscapeBase));
        } else if (QChar::isSurrogate(u)) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

ReadResult readWhole(const QString& path, qint64 maxBytes)
{
    return readRegular(path, maxBytes, true);
}

ReadResult readHead(const QString& path, qint64 maxBytes)
{
    return readRegular(path, maxBytes, false);
}

bool openRegular(QFile& file, const QString& path, QIODevice::OpenMode mode)
{
    file.close();
    const bool write = mode & QIODevice::WriteOnly;
    const int fd = openRegularDescriptor(path, write ? O_RDWR | O_CREAT : O_RDONLY);
    if (fd < 0)
        return false;
    if (!file.open(fd, write ? QIODevice::ReadWrite : QIODevice::ReadOnly,
                   QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool isRegularFile(const QString& path)
{
    struct stat info {};
    return !path.isEmpty() && ::stat(encodeName(path).constData(), &info) == 0 &&
           S_ISREG(info.st_mode);
}

bool isFolder(const QString& path)
{
    struct stat info {};
    return !path.isEmpty() && ::stat(encodeName(path).constData(), &info) == 0 &&
           S_ISDIR(info.st_mode);
}

QStringList entries(const QString& folder, Entries kind)
{
    QStringList names;
    QByteArray base = encodeName(folder);
    DIR* dir = base.isEmpty() ? nullptr : ::opendir(base.constData());
    if (!dir)
        return names;
    if (!base.endsWith('/'))
        base += '/';
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        if (kind == Entries::All) {
            names << decodeName(name);
            continue;
        }
        struct stat info {};
        if (name.startsWith('.') || ::stat((base + name).constData(), &info) != 0)
            continue;
        if (kind == Entries::Folders ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode))
            names << decodeName(name);
    }
    ::closedir(dir);
    return names;
}

bool setCurrentFolder(const QString& folder)
{
    return !folder.isEmpty() && ::chdir(encodeName(folder).constData()) == 0;
}

bool exists(const QString& path)
{
    struct stat info {};
    return !path.isEmpty() && ::lstat(encodeName(path).constData(), &info) == 0;
}

bool writeWhole(const QString& path, const QByteArray& bytes)
{
    if (path == StandardOutput)
        return std::fflush(stdout) == 0 && writeAll(STDOUT_FILENO, bytes);
    if (path.isEmpty())
        return false;
    const QByteArray name = encodeName(path);
    struct stat info {};
    const bool existing = ::stat(name.constData(), &info) == 0;
    if (existing && S_ISDIR(info.st_mode))
        return false;
    // The process's own streams (/dev/stdout, /dev/fd/1) and the devices are written in place,
    // whatever they lead to.
    if ((existing && !S_ISREG(info.st_mode)) || name.startsWith("/dev/") ||
        name.startsWith("/proc/"))
        return existing && writeInPlace(name, bytes);
    return replaceRegular(name, bytes);
}

bool flushStandardOutput()
{
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

} // namespace files
