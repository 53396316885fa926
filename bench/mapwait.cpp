// mapwait: starts a program on the current X display and reports how long it took until its
// first top-level window was mapped, and the program's peak resident memory.
//
//   mapwait [--settle MS] [--timeout MS] [--] PROGRAM [ARG...]
//
// The clock (CLOCK_MONOTONIC) starts in the forked child just before execvp, so neither the
// fork nor this helper's own set-up is counted; it stops when the MapNotify of the first
// top-level window (a child of the root window, not override-redirect, and with a _NET_WM_PID,
// when it has one, of the started program) arrives here. After the window is mapped the helper
// waits MS milliseconds (default 300) so that the first paint is done, reads VmHWM and VmRSS from
// /proc/PID/status, and kills the program's process group. With the map it also reads the CPU
// time the program's threads have used so far (/proc/PID/task/*/schedstat): a figure that other
// work on the machine disturbs much less than the elapsed time.
//
// When it may (root or CAP_SYS_NICE), the helper runs itself under SCHED_FIFO, with the reset on
// fork, so that it reads the event and the CPU time as soon as the X server sends the event, also
// on a busy machine; the program runs with the ordinary scheduling. rt=1 in the output says so.
//
// One line on standard output per run:
//   mapped_ms=12.345 cpu_ms=10.123 vmhwm_kib=45678 vmrss_kib=45600 rt=1 window=0x200008
//   title=Lumetra
// Exit status 0 on success, 1 when the program failed to start, exited or mapped nothing within
// the timeout (default 30000 ms), 2 on a usage error.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double seconds(const timespec& t) {
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

double now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return seconds(t);
}

// A "VmXXX:   1234 kB" line of /proc/PID/status, in KiB; -1 when absent.
long statusKib(pid_t pid, const char* key) {
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
        return -1;
    }
    char line[256];
    long value = -1;
    const std::size_t keyLength = std::strlen(key);
    while (std::fgets(line, sizeof line, file) != nullptr) {
        if (std::strncmp(line, key, keyLength) == 0 && line[keyLength] == ':') {
            value = std::strtol(line + keyLength + 1, nullptr, 10);
            break;
        }
    }
    std::fclose(file);
    return value;
}

// CPU time used by the process's live threads, in milliseconds; -1 when unreadable.
double cpuMs(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (dir == nullptr) {
        return -1;
    }
    unsigned long long total = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        FILE* file = std::fopen((tasks + "/" + entry->d_name + "/schedstat").c_str(), "r");
        if (file == nullptr) {
            continue; // the thread has just ended
        }
        unsigned long long onCpu = 0;
        if (std::fscanf(file, "%llu", &onCpu) == 1) {
            total += onCpu;
        }
        std::fclose(file);
    }
    closedir(dir);
    return static_cast<double>(total) / 1e6;
}

// The window's _NET_WM_PID, or 0 when it has none.
long windowPid(Display* display, Window window) {
    const Atom property = XInternAtom(display, "_NET_WM_PID", True);
    if (property == None) {
        return 0;
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
        if (type == XA_CARDINAL && format == 32 && count == 1) {
            pid = *reinterpret_cast<long*>(data);
        }
        XFree(data);
    }
    return pid;
}

std::string windowTitle(Display* display, Window window) {
    char* name = nullptr;
    std::string title;
    if (XFetchName(display, window, &name) != 0 && name != nullptr) {
        title = name;
        XFree(name);
    }
    return title;
}

int usage() {
    std::fprintf(stderr, "usage: mapwait [--settle MS] [--timeout MS] [--] PROGRAM [ARG...]\n");
    return 2;
}

void stop(pid_t pid) {
    kill(-pid, SIGKILL);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char* argv[]) {
    long settleMs = 300, timeoutMs = 30000;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string arg = argv[first];
        if (arg == "--") {
            ++first;
            break;
        }
        if ((arg == "--settle" || arg == "--timeout") && first + 1 < argc) {
            char* end = nullptr;
            const long value = std::strtol(argv[first + 1], &end, 10);
            if (*end != '\0' || value < 0) {
                return usage();
            }
            (arg == "--settle" ? settleMs : timeoutMs) = value;
            ++first;
            continue;
        }
        if (arg.rfind("-", 0) == 0) {
            return usage();
        }
        break;
    }
    if (first >= argc) {
        return usage();
    }

    sched_param priority{};
    priority.sched_priority = 1;
    const bool realtime = sched_setscheduler(0, SCHED_FIFO | SCHED_RESET_ON_FORK, &priority) == 0;

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "mapwait: cannot open display '%s'\n", XDisplayName(nullptr));
        return 1;
    }
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True); // the selection is in place before the program starts

    // The child sends its start time, then (only if execvp fails) its errno; the pipe closes on
    // a successful exec.
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0) {
        std::perror("mapwait: pipe2");
        return 1;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("mapwait: fork");
        return 1;
    }
    if (pid == 0) {
        setpgid(0, 0);
        timespec start{};
        clock_gettime(CLOCK_MONOTONIC, &start);
        (void)!write(channel[1], &start, sizeof start);
        execvp(argv[first], argv + first);
        const int error = errno;
        (void)!write(channel[1], &error, sizeof error);
        _exit(127);
    }
    setpgid(pid, pid);
    close(channel[1]);
    timespec startTime{};
    int error = 0;
    if (read(channel[0], &startTime, sizeof startTime) != sizeof startTime) {
        std::fprintf(stderr, "mapwait: the child did not report its start\n");
        stop(pid);
        return 1;
    }
    if (read(channel[0], &error, sizeof error) == sizeof error) {
        std::fprintf(stderr, "mapwait: cannot run %s: %s\n", argv[first], std::strerror(error));
        waitpid(pid, nullptr, 0);
        return 1;
    }
    close(channel[0]);
    const double start = seconds(startTime);

    Window mapped = None;
    double mappedAt = 0, mappedCpu = -1;
    const double deadline = start + timeoutMs / 1000.0;
    while (mapped == None) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || event.xmap.event != root ||
                event.xmap.override_redirect) {
                continue;
            }
            const double at = now();
            const double cpu = cpuMs(pid);
            const long owner = windowPid(display, event.xmap.window);
            if (owner != 0 && owner != pid) {
                continue;
            }
            mapped = event.xmap.window;
            mappedAt = at;
            mappedCpu = cpu;
            break;
        }
        if (mapped != None) {
            break;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "mapwait: %s exited before mapping a window\n", argv[first]);
            return 1;
        }
        const double left = deadline - now();
        if (left <= 0) {
            std::fprintf(stderr, "mapwait: %s mapped no window within %ld ms\n", argv[first],
                         timeoutMs);
            stop(pid);
            return 1;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        // Wake at least every 50 ms to notice a program that died.
        poll(&connection, 1, static_cast<int>(left * 1000 < 50 ? left * 1000 + 1 : 50));
    }

    const std::string title = windowTitle(display, mapped);
    const timespec settle{settleMs / 1000, (settleMs % 1000) * 1000000L};
    nanosleep(&settle, nullptr);
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
        std::fprintf(stderr, "mapwait: %s exited during the settle time\n", argv[first]);
        return 1;
    }
    const long hwm = statusKib(pid, "VmHWM");
    const long rss = statusKib(pid, "VmRSS");
    stop(pid);
    XCloseDisplay(display);

    std::printf(
        "mapped_ms=%.3f cpu_ms=%.3f vmhwm_kib=%ld vmrss_kib=%ld rt=%d window=0x%lx title=%s\n",
        (mappedAt - start) * 1000.0, mappedCpu, hwm, rss, realtime ? 1 : 0, mapped, title.c_str());
    return hwm < 0 ? 1 : 0;
}
