// startup_probe WM_CLASS_NAME COMMAND [ARGS...]
// Starts the command, waits until a top-level window of that class is viewable and prints
//   startup_ms=<ms from start to viewable> rss_kb=<RSS one second later> idle_cpu_pct=<CPU
//   share over the next 10 seconds>
// then ends the program.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

bool HasViewableWindowOfClass(Display* display, Window window, const char* class_name, int depth) {
  XClassHint hint{};
  if (XGetClassHint(display, window, &hint)) {
    bool match = hint.res_class && strcasecmp(hint.res_class, class_name) == 0;
    match = match || (hint.res_name && strcasecmp(hint.res_name, class_name) == 0);
    XFree(hint.res_name);
    XFree(hint.res_class);
    XWindowAttributes attributes;
    if (match && XGetWindowAttributes(display, window, &attributes) &&
        attributes.map_state == IsViewable)
      return true;
  }
  if (depth == 0) return false;
  Window root, parent, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return false;
  bool found = false;
  for (unsigned int i = 0; i < count && !found; ++i)
    found = HasViewableWindowOfClass(display, children[i], class_name, depth - 1);
  if (children) XFree(children);
  return found;
}

long ReadRssKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

long ReadCpuTicks(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string content((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(content.substr(content.rfind(')') + 2));
  std::string field;
  long utime = 0, stime = 0;
  for (int index = 3; fields >> field; ++index) {
    if (index == 14) utime = std::stol(field);
    if (index == 15) {
      stime = std::stol(field);
      break;
    }
  }
  return utime + stime;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_probe WM_CLASS COMMAND [ARGS...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 2;
  const auto started = Clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  bool viewable = false;
  while (Clock::now() - started < std::chrono::seconds(20)) {
    if (HasViewableWindowOfClass(display, DefaultRootWindow(display), argv[1], 3)) {
      viewable = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  const double startup_ms =
      std::chrono::duration<double, std::milli>(Clock::now() - started).count();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const long rss = ReadRssKb(pid);
  const long ticks_before = ReadCpuTicks(pid);
  std::this_thread::sleep_for(std::chrono::seconds(10));
  const long ticks_after = ReadCpuTicks(pid);
  const double cpu_pct = 100.0 * (ticks_after - ticks_before) / sysconf(_SC_CLK_TCK) / 10.0;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  XCloseDisplay(display);
  if (!viewable) {
    std::printf("startup_ms=timeout\n");
    return 1;
  }
  std::printf("startup_ms=%.1f rss_kb=%ld idle_cpu_pct=%.2f\n", startup_ms, rss, cpu_pct);
  return 0;
}
