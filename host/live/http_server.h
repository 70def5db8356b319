// The live handset's HTTP interface (cpp-httplib) over a LiveSession:
//   GET  /                  the page (and its /page.js, /page.css)
//   GET  /screen.png        the screen now; ?after=N waits up to 10 s for a frame newer than N;
//                           header X-Frame: the frame number
//   GET  /state             the handset as JSON; ?since=N: the debug lines from number N on
//   POST /input             one action of a person (see input_action.h)
//   POST /host              a host call (see LiveSession::HostCall)
//   POST /network           a change of the simulated network (see network_change.h)
//   GET  /scenario          what the person did, as a scenario file
// It answers only requests whose Host (and Origin, when sent) name the address it serves, so
// that a page of another site cannot drive it; bodies are bounded; every refusal is a 4xx with
// {"error": "..."} naming what was wrong.
#pragma once

#include <chrono>
#include <memory>
#include <string>

namespace httplib {
class Server;
}

namespace vlmhost::live {

class LiveSession;

class HttpServer {
 public:
  explicit HttpServer(LiveSession& session);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Binds `address` at `port` (0: a free one); returns the port. A CommandError when it cannot.
  int Bind(const std::string& address, int port);
  // Serves until Stop; on a thread of its own.
  void Listen();
  // Any thread.
  void Stop();

  // The largest request body taken: an input or a change is a line of JSON.
  static constexpr std::size_t kMaxBodyBytes = 64 * 1024;
  // How long /screen.png?after= waits for a newer frame.
  static constexpr std::chrono::seconds kFrameWait{10};

 private:
  void AddRoutes();
  LiveSession& session_;
  std::unique_ptr<httplib::Server> server_;
  std::string served_;  // "address:port", what Host must say
};

}  // namespace vlmhost::live
