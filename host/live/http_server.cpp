#include "live/http_server.h"

#include <httplib.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <optional>

#include "handset/screen.h"
#include "host_context.h"
#include "live/live_session.h"
#include "live/page_files.h"
#include "live/request_error.h"

namespace vlmhost::live {
namespace {

using httplib::Request;
using httplib::Response;
using HandlerResponse = httplib::Server::HandlerResponse;

void SendJson(Response& response, const Json& body, int status = 200) {
  response.status = status;
  response.set_header("Cache-Control", "no-store");
  response.set_content(body.dump(), "application/json");
}

void SendError(Response& response, int status, const std::string& message) {
  SendJson(response, {{"error", message}}, status);
}

// A whole number of a query parameter; nothing when absent, a 400 when it is not one.
std::optional<std::uint64_t> NumberParameter(const Request& request, const char* name) {
  if (!request.has_param(name)) return std::nullopt;
  std::string text = request.get_param_value(name);
  std::uint64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty())
    throw BadRequest(std::string("?") + name + "= takes a whole number, not \"" + text + "\"");
  return value;
}

Json Body(const Request& request) {
  Json body = Json::parse(request.body, nullptr, /*allow_exceptions=*/false);
  if (body.is_discarded()) throw BadRequest("the request body is not JSON");
  return body;
}

// Runs a route, turning what it throws into the JSON refusal.
template <class Route>
httplib::Server::Handler Guarded(Route route) {
  return [route](const Request& request, Response& response) {
    try {
      route(request, response);
    } catch (const RequestError& error) {
      SendError(response, error.Status(), error.what());
    } catch (const std::exception& error) {
      SendError(response, 500, error.what());
    }
  };
}

}  // namespace

HttpServer::HttpServer(LiveSession& session) : session_(session), server_(std::make_unique<httplib::Server>()) {
  AddRoutes();
}

HttpServer::~HttpServer() = default;

int HttpServer::Bind(const std::string& address, int port) {
  // Host and Origin are checked against one address: serving every address would leave that check
  // nothing to hold to.
  if (address == "0.0.0.0" || address == "::" || address.empty())
    throw CommandError("--bind takes the one address to serve (e.g. 127.0.0.1), not every address");
  int bound = port == 0 ? server_->bind_to_any_port(address) : (server_->bind_to_port(address, port) ? port : -1);
  if (bound <= 0) throw CommandError("cannot serve " + address + " port " + std::to_string(port) + ": " +
                                     std::strerror(errno));
  served_ = (address.find(':') != std::string::npos ? "[" + address + "]" : address) + ":" + std::to_string(bound);
  return bound;
}

void HttpServer::Listen() { server_->listen_after_bind(); }

void HttpServer::Stop() { server_->stop(); }

void HttpServer::AddRoutes() {
  auto& server = *server_;
  server.set_payload_max_length(kMaxBodyBytes);
  server.set_read_timeout(std::chrono::seconds(5));
  server.set_write_timeout(std::chrono::seconds(5));

  server.set_pre_routing_handler([this](const Request& request, Response& response) {
    std::string host = request.get_header_value("Host");
    bool local = served_.rfind("127.0.0.1:", 0) == 0 && host == "localhost" + served_.substr(served_.find(':'));
    if (host != served_ && !local) {
      SendError(response, 403, "the Host \"" + host + "\" is not the address served, " + served_);
      return HandlerResponse::Handled;
    }
    if (request.has_header("Origin") && request.get_header_value("Origin") != "http://" + host) {
      SendError(response, 403, "requests from the origin \"" + request.get_header_value("Origin") +
                                   "\" are refused: only the page served here may drive the handset");
      return HandlerResponse::Handled;
    }
    return HandlerResponse::Unhandled;
  });
  // Refusals of the library itself (no such route, a body too large) get the same JSON form.
  server.set_error_handler([](const Request& request, Response& response) {
    if (!response.body.empty()) return;
    if (response.status == 404) SendError(response, 404, "there is no " + request.method + " " + request.path);
    else if (response.status == 413)
      SendError(response, 413, "a request body may have at most " + std::to_string(kMaxBodyBytes) + " bytes");
    else SendError(response, response.status, "the request was refused (HTTP " + std::to_string(response.status) + ")");
  });

  for (std::size_t i = 0; i < kPageFileCount; ++i) {
    const PageFile& file = kPageFiles[i];
    server.Get(std::string(file.path), [file](const Request&, Response& response) {
      response.set_header("Cache-Control", "no-cache");
      response.set_content(file.content.data(), file.content.size(), std::string(file.contentType));
    });
  }

  server.Get("/screen.png", Guarded([this](const Request& request, Response& response) {
    if (auto after = NumberParameter(request, "after")) {
      // In slices, so that a waiting request lets the server stop.
      auto deadline = std::chrono::steady_clock::now() + kFrameWait;
      while (!session_.Closing() && std::chrono::steady_clock::now() < deadline &&
             !handset::screen::WaitForFrame(*after, std::chrono::milliseconds(200))) {
      }
    }
    std::uint64_t frame = handset::screen::FrameNumber();
    auto png = handset::screen::Png();
    if (png.empty()) throw RequestError(503, "no picture of the screen can be made now");
    response.set_header("X-Frame", std::to_string(frame));
    response.set_header("Cache-Control", "no-store");
    response.set_content(reinterpret_cast<const char*>(png.data()), png.size(), "image/png");
  }));
  server.Get("/state", Guarded([this](const Request& request, Response& response) {
    SendJson(response, session_.State(NumberParameter(request, "since").value_or(0)));
  }));
  server.Get("/scenario", Guarded([this](const Request&, Response& response) {
    response.set_header("Content-Disposition", "attachment; filename=\"live.scenario\"");
    response.set_header("Cache-Control", "no-store");
    response.set_content(session_.Scenario(), "text/plain; charset=utf-8");
  }));
  server.Post("/input", Guarded([this](const Request& request, Response& response) {
    SendJson(response, session_.Input(Body(request)));
  }));
  server.Post("/host", Guarded([this](const Request& request, Response& response) {
    SendJson(response, session_.HostCall(Body(request)));
  }));
  server.Post("/network", Guarded([this](const Request& request, Response& response) {
    SendJson(response, session_.Network(Body(request)));
  }));
}

}  // namespace vlmhost::live
