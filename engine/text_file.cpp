#include "engine/text_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string systemError(int code) { return std::strerror(code); }

// The file descriptor is closed on every path.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

std::string randomSuffix() {
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 6; ++i)
        suffix += kAlphabet[engine() % (sizeof kAlphabet - 1)];
    return suffix;
}

}  // namespace

Status readTextFile(const std::string &path, std::string &text) {
    if (path.empty())
        return Status::failure("no file name given", path);
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return Status::failure("cannot open the file: " + systemError(errno), path);
    struct stat info {};
    if (::fstat(fd.get(), &info) == 0 && S_ISDIR(info.st_mode))
        return Status::failure("is a directory, not a file", path);
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Status::failure("cannot read the file: " + systemError(errno), path);
        }
        if (n == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    text = std::move(content);
    return Status::success();
}

std::string_view untilEndOfFileByte(std::string_view text) {
    const std::size_t eof = text.find('\x1A');
    return eof == std::string_view::npos ? text : text.substr(0, eof);
}

TextLines::TextLines(std::string_view text) : text_(text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines_.push_back(line);
        starts_.push_back(start);
        if (lf == std::string_view::npos)
            break;
        start = lf + 1;
    }
}

std::string_view TextLines::restFrom(std::size_t index) const {
    if (index >= starts_.size())
        return {};
    return text_.substr(starts_[index]);
}

TokenReader::TokenReader(std::string_view text, std::size_t firstLineNumber) : text_(text), line_(firstLineNumber) {}

bool TokenReader::next(std::string_view &token) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    while (pos_ < text_.size() && isBlank(text_[pos_])) {
        if (text_[pos_] == '\n')
            ++line_;
        ++pos_;
    }
    if (pos_ >= text_.size())
        return false;
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !isBlank(text_[pos_]))
        ++pos_;
    token = text_.substr(start, pos_ - start);
    return true;
}

Status writeFileAtomically(const std::string &path, std::string_view content) {
    if (path.empty())
        return Status::failure("no file name given", path);
    struct stat target {};
    const bool targetExists = ::stat(path.c_str(), &target) == 0;
    if (targetExists && S_ISDIR(target.st_mode))
        return Status::failure("is a directory, not a file", path);

    std::string temporary;
    int raw = -1;
    for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
        temporary = path + ".tmp-" + randomSuffix();
        raw = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (raw < 0 && errno != EEXIST)
            break;
    }
    if (raw < 0)
        return Status::failure("cannot create the file: " + systemError(errno), path);
    FileDescriptor fd(raw);
    auto abandon = [&](const std::string &what, int code) {
        ::close(fd.release());
        ::unlink(temporary.c_str());
        return Status::failure(what + ": " + systemError(code), path);
    };
    if (targetExists)
        (void)::fchmod(fd.get(), target.st_mode & 07777);

    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd.get(), content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return abandon("cannot write the file", errno);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0 && errno != EINVAL && errno != EROFS)
        return abandon("cannot write the file", errno);
    if (::close(fd.release()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return Status::failure("cannot write the file: " + systemError(code), path);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return Status::failure("cannot replace the file: " + systemError(code), path);
    }
    return Status::success();
}
