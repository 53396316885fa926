// Preloaded into the filer (LD_PRELOAD) to make the disk full: once LUMETRA_FULL_DISK_AFTER bytes
// have been written to regular files, every further write to one fails with ENOSPC, as on a disk
// with no room left. Standard output and error are never refused.

#include <cerrno>
#include <cstdlib>
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

long long written = 0;

bool refused(int fd, std::size_t count) {
    static const long long limit = [] {
        const char* text = std::getenv("LUMETRA_FULL_DISK_AFTER");
        return text ? std::atoll(text) : -1LL;
    }();
    struct stat info {};
    if (limit < 0 || fd < 3 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    if (written + static_cast<long long>(count) > limit) {
        errno = ENOSPC;
        return true;
    }
    written += static_cast<long long>(count);
    return false;
}

template <typename Function> Function real(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

ssize_t write(int fd, const void* buffer, std::size_t count) {
    static const auto next = real<ssize_t (*)(int, const void*, std::size_t)>("write");
    return refused(fd, count) ? -1 : next(fd, buffer, count);
}

ssize_t pwrite(int fd, const void* buffer, std::size_t count, off_t offset) {
    static const auto next = real<ssize_t (*)(int, const void*, std::size_t, off_t)>("pwrite");
    return refused(fd, count) ? -1 : next(fd, buffer, count, offset);
}

ssize_t pwrite64(int fd, const void* buffer, std::size_t count, off64_t offset) {
    static const auto next = real<ssize_t (*)(int, const void*, std::size_t, off64_t)>("pwrite64");
    return refused(fd, count) ? -1 : next(fd, buffer, count, offset);
}

ssize_t writev(int fd, const struct iovec* parts, int n) {
    static const auto next = real<ssize_t (*)(int, const struct iovec*, int)>("writev");
    std::size_t count = 0;
    for (int i = 0; i < n; ++i) {
        count += parts[i].iov_len;
    }
    return refused(fd, count) ? -1 : next(fd, parts, n);
}

} // extern "C"
