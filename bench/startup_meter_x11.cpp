// The meter of scripts/bench-startup and scripts/bench-start-windows: how long a GUI program
// takes to show its first window, and its memory once it has. Each run starts the command in a
// process group of its own and times it from just before the start to the moment the X server
// reports its first top-level window mapped; SETTLE seconds later it reads the resident memory
// (VmRSS, VmHWM) and the proportional set size (Pss) of the window's process (_NET_WM_PID, else
// the command's), then kills the group. Warm-up runs come first and count for nothing. Prints
// every run and, last, the medians of the counted runs:
//   median_ms=X rss_mib=Y hwm_mib=Z pss_mib=W
// The display in DISPLAY must be private and have no window manager (scripts/with-display):
// then every top-level window there is the command's, and a window mapped is a window shown.
//   startup_meter [-n RUNS] [-w WARMUP] [-s SETTLE_SECONDS] [-t TIMEOUT_SECONDS] -- COMMAND...

#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
using Event = std::unique_ptr<xcb_generic_event_t, decltype(&std::free)>;

struct Options {
  int runs = 7;
  int warmups = 1;
  Seconds settle{1.0};
  Seconds timeout{20.0};
  char** command = nullptr;
};

struct Figures {
  double milliseconds = 0;
  double rssMib = 0;
  double hwmMib = 0;
  double pssMib = 0;
};

// The X server's next event; none once the deadline has passed or the connection is lost.
Event NextEvent(xcb_connection_t* connection, Clock::time_point deadline) {
  while (true) {
    Event event(xcb_poll_for_event(connection), &std::free);
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (event || xcb_connection_has_error(connection) != 0 || left.count() <= 0) {
      return event;
    }
    pollfd socket{xcb_get_file_descriptor(connection), POLLIN, 0};
    poll(&socket, 1, static_cast<int>(left.count()));
  }
}

std::uint8_t Type(const Event& event) { return event->response_type & 0x7FU; }

xcb_atom_t Atom(xcb_connection_t* connection, const std::string& name) {
  const auto cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str());
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
      xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The process that owns the window by its _NET_WM_PID, which Qt and Wine set; else `fallback`.
pid_t WindowProcess(xcb_connection_t* connection, xcb_window_t window, pid_t fallback) {
  const auto cookie = xcb_get_property(connection, 0, window, Atom(connection, "_NET_WM_PID"),
                                       XCB_ATOM_CARDINAL, 0, 1);
  std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
      xcb_get_property_reply(connection, cookie, nullptr), &std::free);
  if (!reply || xcb_get_property_value_length(reply.get()) != 4) {
    return fallback;
  }
  const auto pid =
      static_cast<pid_t>(*static_cast<std::uint32_t*>(xcb_get_property_value(reply.get())));
  return kill(pid, 0) == 0 ? pid : fallback;
}

// A "Name:   1234 kB" line of a /proc file, in MiB.
double ProcMib(const std::string& path, const std::string& name) {
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    if (line.starts_with(name + ":")) {
      return std::stod(line.substr(name.size() + 1)) / 1024;
    }
  }
  throw std::runtime_error("no " + name + " in " + path + " (the program ended?)");
}

class Meter {
 public:
  Meter(xcb_connection_t* connection, const Options& options)
      : connection_(connection),
        options_(options),
        output_(memfd_create("startup_meter output", MFD_CLOEXEC)) {
    // Creating, mapping and destroying top-level windows: what the root's children do.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
  }

  // One start of the command, measured; the program is gone when it returns.
  Figures Run() {
    ftruncate(output_, 0);
    lseek(output_, 0, SEEK_SET);
    const Clock::time_point start = Clock::now();
    const pid_t group = fork();
    if (group == 0) {
      setsid();
      dup2(output_, STDOUT_FILENO);
      dup2(output_, STDERR_FILENO);
      execvp(options_.command[0], options_.command);
      std::perror(options_.command[0]);
      _exit(127);
    }
    std::optional<xcb_window_t> window;
    try {
      window = AwaitFirstWindow(group);
      Figures figures{Seconds(Clock::now() - start).count() * 1000, 0, 0, 0};
      std::this_thread::sleep_for(options_.settle);
      const std::string proc =
          "/proc/" + std::to_string(WindowProcess(connection_, *window, group));
      figures.rssMib = ProcMib(proc + "/status", "VmRSS");
      figures.hwmMib = ProcMib(proc + "/status", "VmHWM");
      figures.pssMib = ProcMib(proc + "/smaps_rollup", "Pss");
      End(group, window);
      return figures;
    } catch (const std::runtime_error&) {
      End(group, window);
      throw;
    }
  }

  // What the command wrote in its last run.
  std::string Output() const {
    std::ostringstream text;
    text << std::ifstream("/proc/self/fd/" + std::to_string(output_)).rdbuf();
    return text.str();
  }

 private:
  // The first top-level window mapped among those created since the start; popups, which
  // bypass the window manager (override-redirect), are not windows of their own.
  xcb_window_t AwaitFirstWindow(pid_t group) {
    const Clock::time_point deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(options_.timeout);
    std::set<xcb_window_t> created;
    while (Clock::now() < deadline) {
      // Awake now and then to see whether the program has ended without a window.
      const Event event =
          NextEvent(connection_, std::min(deadline, Clock::now() + std::chrono::milliseconds(100)));
      if (!event) {
        if (xcb_connection_has_error(connection_) != 0) {
          throw std::runtime_error("lost the connection to the X server");
        }
        if (int status = 0; waitpid(group, &status, WNOHANG) == group) {
          throw std::runtime_error(
              "the command ended before it showed a window, status " +
              std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)));
        }
      } else if (Type(event) == XCB_CREATE_NOTIFY) {
        created.insert(reinterpret_cast<xcb_create_notify_event_t*>(event.get())->window);
      } else if (Type(event) == XCB_MAP_NOTIFY) {
        const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event.get());
        if (map->override_redirect == 0 && created.contains(map->window)) {
          return map->window;
        }
      }
    }
    throw std::runtime_error("no window before the timeout");
  }

  // Kills the command's process group, and waits for the server to destroy the window, so that
  // nothing of this run reaches the next one's events.
  void End(pid_t group, std::optional<xcb_window_t> window) {
    kill(-group, SIGKILL);
    waitpid(group, nullptr, 0);
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(5);
    while (window) {
      const Event event = NextEvent(connection_, deadline);
      if (!event) {
        std::fprintf(stderr, "startup_meter: the window outlived its program's process group\n");
        return;
      }
      if (Type(event) == XCB_DESTROY_NOTIFY &&
          reinterpret_cast<xcb_destroy_notify_event_t*>(event.get())->window == *window) {
        return;
      }
    }
  }

  xcb_connection_t* connection_;
  const Options& options_;
  int output_;
};

double Median(const std::vector<Figures>& runs, double Figures::*figure) {
  std::vector<double> values(runs.size());
  std::ranges::transform(runs, values.begin(), figure);
  std::ranges::sort(values);
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int option = 0; (option = getopt(argc, argv, "+n:w:s:t:")) != -1;) {
    switch (option) {
      case 'n':
        options.runs = std::atoi(optarg);
        break;
      case 'w':
        options.warmups = std::atoi(optarg);
        break;
      case 's':
        options.settle = Seconds(std::atof(optarg));
        break;
      case 't':
        options.timeout = Seconds(std::atof(optarg));
        break;
      default:
        return std::nullopt;
    }
  }
  if (optind == argc || options.runs < 1 || options.warmups < 0) {
    return std::nullopt;
  }
  options.command = argv + optind;
  return options;
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr,
                 "usage: startup_meter [-n RUNS] [-w WARMUP] [-s SETTLE_SECONDS] "
                 "[-t TIMEOUT_SECONDS] -- COMMAND [ARG...]\n");
    return 2;
  }
  std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
      xcb_connect(nullptr, nullptr), &xcb_disconnect);
  if (xcb_connection_has_error(connection.get()) != 0) {
    std::fprintf(stderr, "startup_meter: cannot open the X display in DISPLAY\n");
    return 2;
  }
  Meter meter(connection.get(), *options);
  std::vector<Figures> counted;
  for (int run = 1; run <= options->warmups + options->runs; ++run) {
    Figures figures;
    try {
      figures = meter.Run();
    } catch (const std::runtime_error& failure) {
      std::fprintf(stderr, "startup_meter: run %d of %s: %s; it wrote:\n%s", run,
                   options->command[0], failure.what(), meter.Output().c_str());
      return 1;
    }
    const bool warmup = run <= options->warmups;
    std::printf("%s %2d  %7.1f ms  rss %6.1f MiB  hwm %6.1f MiB  pss %6.1f MiB\n",
                warmup ? "warm-up" : "run    ", warmup ? run : run - options->warmups,
                figures.milliseconds, figures.rssMib, figures.hwmMib, figures.pssMib);
    if (!warmup) {
      counted.push_back(figures);
    }
  }
  std::printf("median_ms=%.1f rss_mib=%.1f hwm_mib=%.1f pss_mib=%.1f\n",
              Median(counted, &Figures::milliseconds), Median(counted, &Figures::rssMib),
              Median(counted, &Figures::hwmMib), Median(counted, &Figures::pssMib));
  return 0;
}
