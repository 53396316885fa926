#pragma once

// What stands at a path, read without following it and without Qt: its kind and what it holds,
// so that a test sees a refused save leave a device, a FIFO, a folder or a link exactly as it was.

#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace test {

inline std::string standing(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return "nothing";
    }
    if (S_ISLNK(status.st_mode)) {
        char target[4096];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        return "link to " + std::string(target, length > 0 ? std::size_t(length) : 0);
    }
    if (S_ISDIR(status.st_mode)) {
        std::set<std::string> names; // in order, whatever order the folder gives
        if (DIR* folder = ::opendir(path.c_str())) {
            while (const dirent* entry = ::readdir(folder)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..") {
                    names.insert(name);
                }
            }
            ::closedir(folder);
        }
        std::string text = "folder of";
        for (const std::string& name : names) {
            text += ' ' + name;
        }
        return text;
    }
    if (!S_ISREG(status.st_mode)) {
        return "special " + std::to_string(status.st_mode & S_IFMT) + " " +
               std::to_string(status.st_rdev);
    }
    std::string text = "file ";
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    char buffer[4096];
    ssize_t got = 0;
    while (fd >= 0 && (got = ::read(fd, buffer, sizeof buffer)) > 0) {
        text.append(buffer, std::size_t(got));
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return text;
}

} // namespace test
