// Starts one program and times it from exec on, for bench/run.sh:
//   process-timer map [--leave-running] -- PROGRAM ARGS...
//       until the program's first top-level window is mapped on $DISPLAY (its MapNotify);
//       then closes that window and waits for the program to end (the peak memory is the
//       whole run's), or leaves it running and prints its pid as a third field.
//   process-timer exit [--job-dir DIR --job-file FILE] -- PROGRAM ARGS...
//       until the program has ended with status 0; with --job-dir, also until a new file in
//       DIR holds exactly the bytes of FILE (the job has reached the printer).
// Prints "MILLISECONDS PEAK_RSS_KIB" on one line (for exit with --job-dir, the time at the
// printer comes third); exits 1 when the program fails or takes longer than 60 s.

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kGiveUpAfter = std::chrono::seconds(60);

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int fail(const char* what)
{
    std::fprintf(stderr, "process-timer: %s\n", what);
    return 1;
}

// The program's standard output is not ours: it goes nowhere.
pid_t spawn(char** argv)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

// Collects the ended program; its peak resident size in KiB.
long collect(pid_t pid)
{
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return usage.ru_maxrss;
}

long killAndCollect(pid_t pid)
{
    kill(pid, SIGKILL);
    return collect(pid);
}

xcb_atom_t atom(xcb_connection_t* x, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        x, xcb_intern_atom(x, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return found;
}

// Closes the window the way a window manager's close button does, so the program ends as
// after a normal session (a killed one would leave its instance lock behind for the next
// start to clear); killed only when it has not ended within five seconds.
long closeAndCollect(xcb_connection_t* x, xcb_window_t window, pid_t pid, int exited)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(x, "WM_PROTOCOLS");
    message.data.data32[0] = atom(x, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(x, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(x);
    pollfd ended{exited, POLLIN, 0};
    if (exited < 0 || poll(&ended, 1, 5000) != 1)
        return killAndCollect(pid);
    return collect(pid);
}

std::string contentsOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::filesystem::path> filesIn(const std::filesystem::path& dir)
{
    std::set<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error))
        files.insert(entry.path());
    return files;
}

int timeMap(char** argv, bool leaveRunning)
{
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> display(xcb_connect(nullptr, nullptr),
                                                                               xcb_disconnect);
    xcb_connection_t* x = display.get();
    if (xcb_connection_has_error(x))
        return fail("cannot open the display");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    // A round trip: the selection is in force before the program starts.
    free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));

    const Clock::time_point start = Clock::now();
    const pid_t pid = spawn(argv);
    if (pid < 0)
        return fail("cannot start the program");
    const int exited = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    pollfd watched[2] = {{xcb_get_file_descriptor(x), POLLIN, 0}, {exited, POLLIN, 0}};
    while (millisecondsSince(start) < std::chrono::duration<double, std::milli>(kGiveUpAfter).count()) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY && !map->override_redirect;
            const xcb_window_t window = map->window;
            free(event);
            if (!mapped)
                continue;
            const double ms = millisecondsSince(start);
            if (leaveRunning) {
                std::printf("%.3f 0 %d\n", ms, pid);
                return 0;
            }
            std::printf("%.3f %ld\n", ms, closeAndCollect(x, window, pid, exited));
            return 0;
        }
        poll(watched, exited >= 0 ? 2 : 1, 100);
        if (exited >= 0 && (watched[1].revents & POLLIN)) {
            collect(pid);
            return fail("the program ended before it showed a window");
        }
    }
    killAndCollect(pid);
    return fail("no window within 60 s");
}

int timeExit(char** argv, const char* jobDir, const char* jobFile)
{
    const std::string expected = jobFile ? contentsOf(jobFile) : std::string();
    const std::set<std::filesystem::path> before =
        jobDir ? filesIn(jobDir) : std::set<std::filesystem::path>();
    const Clock::time_point start = Clock::now();
    const pid_t pid = spawn(argv);
    if (pid < 0)
        return fail("cannot start the program");
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return fail("the program failed");
    const double ms = millisecondsSince(start);
    if (!jobDir) {
        std::printf("%.3f %ld\n", ms, usage.ru_maxrss);
        return 0;
    }
    while (Clock::now() - start < kGiveUpAfter) {
        for (const auto& file : filesIn(jobDir)) {
            if (before.contains(file))
                continue;
            if (contentsOf(file) == expected) {
                std::printf("%.3f %ld %.3f\n", ms, usage.ru_maxrss, millisecondsSince(start));
                return 0;
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return fail("the job's bytes did not reach the printer within 60 s");
}

} // namespace

int main(int argc, char** argv)
{
    const char* usage = "usage: process-timer map [--leave-running] -- PROGRAM ARGS...\n"
                        "       process-timer exit [--job-dir DIR --job-file FILE] -- PROGRAM ARGS...";
    if (argc < 4)
        return fail(usage);
    const std::string mode = argv[1];
    bool leaveRunning = false;
    const char* jobDir = nullptr;
    const char* jobFile = nullptr;
    int i = 2;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--leave-running") == 0)
            leaveRunning = true;
        else if (std::strcmp(argv[i], "--job-dir") == 0 && i + 1 < argc)
            jobDir = argv[++i];
        else if (std::strcmp(argv[i], "--job-file") == 0 && i + 1 < argc)
            jobFile = argv[++i];
        else
            return fail(usage);
    }
    if (i + 1 >= argc || (jobDir == nullptr) != (jobFile == nullptr))
        return fail(usage);
    if (mode == "map")
        return timeMap(argv + i + 1, leaveRunning);
    if (mode == "exit")
        return timeExit(argv + i + 1, jobDir, jobFile);
    return fail(usage);
}
