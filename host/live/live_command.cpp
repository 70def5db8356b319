// vlmhost live [--port N] [--bind ADDRESS] [--open]: serves the device's handset to a browser until
// interrupted. The command's thread is the host thread; the server has threads of its own, and one
// more thread waits for the signals that end the session.
#include <pthread.h>
#include <signal.h>
#include <spawn.h>

#include <iostream>
#include <thread>

#include "commands/commands.h"
#include "live/http_server.h"
#include "live/live_session.h"

extern char** environ;

namespace vlmhost {
namespace {

struct LiveOptions {
  int port = 8090;
  std::string bind = "127.0.0.1";
  bool open = false;
};

// The signals that end the session, kept from every thread but the one that waits for them. The
// last one wakes that thread when the session ends otherwise.
sigset_t EndingSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGUSR1);
  return signals;
}

// Opens the page in the person's browser; a session without one still serves.
void OpenBrowser(const std::string& address, std::ostream& err) {
  const char* argv[] = {"xdg-open", address.c_str(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
    err << "vlmhost: cannot start xdg-open; open " << address << " yourself\n";
}

void RunLive(HostContext& context, const LiveOptions& options) {
  // Before any thread starts, so that all of them inherit the mask. A peer that goes away while
  // its answer is written must not end the process.
  sigset_t signals = EndingSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  live::LiveSession session(context);
  live::HttpServer server(session);
  int port = server.Bind(options.bind, options.port);
  std::string host = options.bind.find(':') != std::string::npos ? "[" + options.bind + "]" : options.bind;
  std::string address = "http://" + host + ":" + std::to_string(port) + "/";
  context.out << address << std::endl;
  if (options.open) OpenBrowser(address, context.err);

  std::thread listener([&server] { server.Listen(); });
  std::thread waiter([&session, signals] {
    int received = 0;
    sigwait(&signals, &received);
    session.Close();
  });
  session.Run();
  server.Stop();
  listener.join();
  pthread_kill(waiter.native_handle(), SIGUSR1);
  waiter.join();
}

}  // namespace

void AddLiveCommand(CLI::App& app, HostContext& context) {
  auto options = std::make_shared<LiveOptions>();
  auto* live = app.add_subcommand(
      "live", "Serve the handset to a browser: the live screen, the host's and the network's controls, and a "
              "recorder of what you do as a scenario; until interrupted (the address is the first line printed)");
  live->add_option("--port", options->port, "port to serve (0: a free one)")
      ->capture_default_str()
      ->check(CLI::Range(0, 65535));
  live->add_option("--bind", options->bind, "address to serve")->capture_default_str();
  live->add_flag("--open", options->open, "open the page in the browser (xdg-open)");
  live->callback([&context, options] { RunLive(context, *options); });
}

}  // namespace vlmhost
