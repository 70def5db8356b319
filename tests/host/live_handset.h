// A `vlmhost live` of its own for a test: started as a process on a device folder of the test's,
// on a free port, with an HTTP client for it; ended with SIGINT, as a person ends it.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include <nlohmann/json.hpp>

class LiveHandset {
 public:
  explicit LiveHandset(const std::filesystem::path& device) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("no pipe");
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      execl(VLMHOST_EXECUTABLE, VLMHOST_EXECUTABLE, "--device", device.c_str(), "live", "--port", "0", nullptr);
      _exit(127);
    }
    close(out[1]);
    output_ = fdopen(out[0], "r");
    char line[256] = {};
    if (!std::fgets(line, sizeof line, output_)) throw std::runtime_error("vlmhost live printed no address");
    address_ = line;
    address_.erase(address_.find_last_not_of("\r\n") + 1);
    // "http://127.0.0.1:PORT/"
    std::string hostPort = address_.substr(7, address_.size() - 8);
    port_ = std::stoi(hostPort.substr(hostPort.find(':') + 1));
    client_ = std::make_unique<httplib::Client>("127.0.0.1", port_);
    client_->set_read_timeout(std::chrono::seconds(15));
  }

  ~LiveHandset() {
    if (pid_ > 0) Stop();
    if (output_) std::fclose(output_);
  }

  // SIGINT, then the exit code; -1 when it did not end by itself within `limit`.
  int Stop(std::chrono::seconds limit = std::chrono::seconds(20)) {
    kill(pid_, SIGINT);
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
        pid_ = 0;
        return -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    pid_ = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  httplib::Client& Client() { return *client_; }
  int Port() const { return port_; }
  const std::string& Address() const { return address_; }

  nlohmann::json Get(const std::string& path) {
    auto response = client_->Get(path);
    if (!response || response->status != 200) throw std::runtime_error("GET " + path + " failed");
    return nlohmann::json::parse(response->body);
  }
  httplib::Result Post(const std::string& path, const nlohmann::json& body) {
    return client_->Post(path, body.dump(), "application/json");
  }
  nlohmann::json State() { return Get("/state"); }

  // Polls /state until `holds` says yes; false after `limit`.
  template <class Holds>
  bool WaitFor(Holds holds, std::chrono::milliseconds limit = std::chrono::milliseconds(10000)) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      if (holds(State())) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // The visible window with control id `id`, null when none is up.
  static nlohmann::json Window(const nlohmann::json& state, int id) {
    for (const auto& window : state["windows"])
      if (window["id"] == id) return window;
    return nullptr;
  }
  static nlohmann::json WindowOfClass(const nlohmann::json& state, const std::string& className) {
    for (const auto& window : state["windows"])
      if (window["class"] == className) return window;
    return nullptr;
  }

  // The number of the frame on the screen now.
  std::uint64_t Frame() {
    auto response = client_->Get("/screen.png");
    if (!response || response->status != 200) throw std::runtime_error("no /screen.png");
    return std::stoull(response->get_header_value("X-Frame"));
  }

  // Waits until the screen stays the same for `quiet`, so that the paints of what was done last
  // are over, and returns the frame then on the screen. A frame counts what was drawn until it was
  // asked for, so a frame taken while paints still come may already show the next action's screen.
  std::uint64_t WaitUntilStill(std::chrono::milliseconds quiet = std::chrono::milliseconds(300)) {
    std::uint64_t frame = Frame();
    for (int look = 0; look < 20; ++look) {
      std::this_thread::sleep_for(quiet);
      std::uint64_t later = Frame();
      if (later == frame) return frame;
      frame = later;
    }
    throw std::runtime_error("the screen keeps changing");
  }

  // Opens the options screen and waits for it, and for its last paints of the opening, which may
  // still come after its windows are up.
  void OpenOptions() {
    Post("/host", {{"call", "CreateVTOpt"}});
    if (!WaitFor([](const nlohmann::json& s) { return Window(s, 0x3020) != nullptr; }))
      throw std::runtime_error("the options screen did not open");
    WaitUntilStill();
  }
  // Taps the middle of tab `index` of the sheet's `count` tabs.
  void TapTab(int index, int count) {
    auto tabs = WindowOfClass(State(), "SysTabControl32");
    int left = tabs["rect"][0], top = tabs["rect"][1], right = tabs["rect"][2], bottom = tabs["rect"][3];
    int x = left + (right - left) * (2 * index + 1) / (2 * count);
    Post("/input", {{"tap", {x, (top + bottom) / 2}}});
  }

 private:
  pid_t pid_ = 0;
  FILE* output_ = nullptr;
  std::string address_;
  int port_ = 0;
  std::unique_ptr<httplib::Client> client_;
};
