// One live handset: the device folder's handset run by the host thread with the live user, the
// host application's side of it (the worker window, the options screen, the LED, the battery, the
// idle timer, the look), and the record of what the person did. The server's threads call the
// public functions; everything that touches windows runs on the host thread.
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "commands/values_for_run.h"
#include "host_context.h"
#include "live/host_thread.h"
#include "live/input_action.h"
#include "live/scenario_recorder.h"

namespace vlmhost::live {

class LiveSession {
 public:
  // On the thread that becomes the host thread: opens the handset and installs the live user.
  explicit LiveSession(HostContext& context);
  // Closes what is still open; the large-button look of the session is put back. A turn of the
  // screen stays, as on the phone.
  ~LiveSession();
  LiveSession(const LiveSession&) = delete;
  LiveSession& operator=(const LiveSession&) = delete;

  // The host thread's loop, until Close.
  void Run();
  // Any thread (a signal's): ends every modal loop with its cancel result, then the host loop.
  void Close();
  bool Closing() const { return host_.Stopping(); }

  // From the server's threads; a RequestError names what was wrong.
  Json Input(const Json& request);    // the scenario line recorded, as {"recorded": ...}
  Json HostCall(const Json& request);  // {"call": "CreateVTOpt" | "TurnOnLED" | ...}
  Json Network(const Json& request);   // the network after the change
  Json State(std::size_t debugSince);
  std::string Scenario() const { return recorder_.Text(); }

  // How long a server thread waits for the host thread before it answers that the handset is busy.
  static constexpr std::chrono::milliseconds kHostWait{5000};

 private:
  // Runs `work` on the host thread and returns its result; RequestError 503 when it does not come.
  Json OnHost(std::function<Json()> work);
  Json OpenOptions();
  // What the worker window heard since it was last asked, kept with the record stored then.
  void CollectNotifications();

  HostContext& context_;
  HostThread host_;
  ScenarioRecorder recorder_;
  DragState drag_;  // host thread only
  std::optional<DwordValueForRun> largeButtons_;
  std::atomic<bool> optionsOpen_ = false;
  std::optional<int> optionsReturned_;
  bool idleTimer_ = false;
  Json heard_ = Json::array();  // the worker window's notifications, latest last
  Json recordHeard_;            // the VT option record as stored at the latest notification
};

}  // namespace vlmhost::live
