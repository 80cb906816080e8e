#include "bench/startup_bench.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <thread>

#include "bench/measure.h"

namespace bench {

namespace {

constexpr double kIdleDelay = 1.0;     // how long after the window is shown the memory is read
constexpr double kShowTimeout = 30.0;  // a program that shows nothing by then is broken

// An Xvfb of our own on a display nobody uses, so that no other window and no
// window manager takes part in the measurement.
class VirtualScreen {
 public:
  explicit VirtualScreen(const std::string& preferred) {
    int number = preferred.size() > 1 ? std::atoi(preferred.c_str() + 1) : 97;
    while (std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock") ||
           std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) {
      ++number;
    }
    display_ = ":" + std::to_string(number);
    pid_ = Start({"Xvfb", display_, "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"}, {}, true);
    if (pid_ < 0) throw std::runtime_error("cannot start Xvfb");
    const double deadline = Now() + 15;
    while (Now() < deadline) {
      xcb_connection_t* probe = xcb_connect(display_.c_str(), nullptr);
      const bool up = xcb_connection_has_error(probe) == 0;
      xcb_disconnect(probe);
      if (up) return;
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw std::runtime_error("Xvfb did not come up on " + display_);
  }
  ~VirtualScreen() {
    kill(pid_, SIGTERM);
    Stop(pid_, 5);
  }
  VirtualScreen(const VirtualScreen&) = delete;
  VirtualScreen& operator=(const VirtualScreen&) = delete;

  const std::string& display() const { return display_; }

 private:
  std::string display_;
  pid_t pid_ = -1;
};

// Watches the root window from outside the measured program. Without a
// window manager a top-level window is viewable, and exposed, the moment the
// server maps it; the MapNotify we get is that moment, seen with the latency
// of one event delivery to this process.
class MapWatch {
 public:
  explicit MapWatch(const std::string& display) : connection_(xcb_connect(display.c_str(), nullptr)) {
    if (xcb_connection_has_error(connection_)) throw std::runtime_error("cannot connect to " + display);
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    const char name[] = "_NET_WM_PID";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr);
    pidAtom_ = atom ? atom->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(atom);
    xcb_flush(connection_);
  }
  ~MapWatch() { xcb_disconnect(connection_); }
  MapWatch(const MapWatch&) = delete;
  MapWatch& operator=(const MapWatch&) = delete;

  // The moment a top-level window of pid was mapped, or a negative value when
  // none was before the deadline or the program ended first.
  double WaitShown(pid_t pid, double deadline) {
    while (true) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        const double seen = Now();
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
        const bool ours = mapped && !map->override_redirect && Owner(map->window, pid);
        std::free(event);
        if (ours) return seen;
      }
      if (xcb_connection_has_error(connection_)) return -1;
      if (waitpid(pid, nullptr, WNOHANG) == pid) return -2;
      const double left = deadline - Now();
      if (left <= 0) return -1;
      pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
      poll(&fd, 1, static_cast<int>(std::min(left, 0.05) * 1000) + 1);
    }
  }

  // Drops what the closed windows left behind.
  void Drain() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) std::free(event);
  }

 private:
  // A window belongs to pid when its _NET_WM_PID says so; one without the
  // property is taken as the measured program's, the only client there is.
  bool Owner(xcb_window_t window, pid_t pid) {
    if (pidAtom_ == XCB_ATOM_NONE) return true;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    bool owner = true;
    if (reply && xcb_get_property_value_length(reply) == 4) {
      owner = *static_cast<uint32_t*>(xcb_get_property_value(reply)) == static_cast<uint32_t>(pid);
    }
    std::free(reply);
    return owner;
  }

  xcb_connection_t* connection_;
  xcb_window_t root_ = 0;
  xcb_atom_t pidAtom_ = XCB_ATOM_NONE;
};

struct Sample {
  double seconds = 0;
  long residentKib = 0;
};

Sample MeasureOnce(const std::string& program, const std::string& display, MapWatch& watch) {
  const Environment environment{{"DISPLAY", display}, {"QT_QPA_PLATFORM", "xcb"}};
  const double start = Now();
  const pid_t pid = Start({program}, environment, true);
  if (pid < 0) throw std::runtime_error("cannot start " + program);
  const double shown = watch.WaitShown(pid, start + kShowTimeout);
  if (shown < 0) {
    Stop(pid, 0);
    throw std::runtime_error(program + (shown == -2 ? " ended before showing a window" : " showed no window"));
  }
  std::this_thread::sleep_for(std::chrono::duration<double>(kIdleDelay));
  const long resident = ResidentKib(pid);
  // Ended by signal rather than by its own close path: what is measured is
  // how it starts, and SIGTERM ends both programs the same way.
  Stop(pid, 0);
  watch.Drain();
  return Sample{shown - start, resident};
}

}  // namespace

std::vector<Row> RunStartupBenchmarks(const Options& options, std::ostream& log) {
  const std::string shownName = "start-up to main window shown (vs Qt dialog)";
  const std::string memoryName = "resident memory 1 s after shown (vs Qt dialog)";

  VirtualScreen screen(options.display);
  MapWatch watch(screen.display());
  log << "start-up under Xvfb " << screen.display() << "...\n";

  std::vector<double> tolvaneSeconds, baselineSeconds, tolvaneKib, baselineKib;
  for (int run = -1; run < options.runs; ++run) {
    const bool tolvaneFirst = run < 0 || run % 2 == 0;
    for (int turn = 0; turn < 2; ++turn) {
      const bool isTolvane = (turn == 0) == tolvaneFirst;
      const Sample sample = MeasureOnce(isTolvane ? options.tolvane : options.baseline, screen.display(), watch);
      if (options.verbose) {
        log << "  start-up run " << run + 1 << '/' << options.runs << ' ' << (isTolvane ? "tolvane " : "baseline")
            << ' ' << Seconds(sample.seconds) << ", " << Mib(sample.residentKib) << (run < 0 ? " (warm-up)" : "")
            << '\n';
      }
      if (run < 0) continue;
      (isTolvane ? tolvaneSeconds : baselineSeconds).push_back(sample.seconds);
      (isTolvane ? tolvaneKib : baselineKib).push_back(static_cast<double>(sample.residentKib));
    }
  }

  const auto mib = [](double kib) { return Mib(static_cast<long>(kib)); };
  return {RatioRow(shownName, Median(tolvaneSeconds), Median(baselineSeconds), 1.2, Seconds),
          RatioRow(memoryName, Median(tolvaneKib), Median(baselineKib), 1.15, mib)};
}

}  // namespace bench
