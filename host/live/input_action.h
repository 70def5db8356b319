// One action of a person at the phone, as POST /input carries it in JSON:
//   {"tap":[x,y]} {"down":[x,y]} {"move":[x,y]} {"up":[x,y]} {"key":"RETURN"} {"type":"text"}
//   {"softkey":1} {"ok":true} {"rotate":"320x240"} {"sip":true} {"switch":true}
// "ok" is the OK of the title bar, which Windows Mobile shows for a full-screen dialog.
// Read on the server's thread (a RequestError names what is wrong), done on the host thread, where
// it also becomes a line of the recorded scenario.
#pragma once

#include <windows.h>

#include <string>
#include <variant>

#include "host_context.h"
#include "live/scenario_recorder.h"

namespace vlmhost::live {

struct PointerAction {
  enum class Kind { Tap, Down, Move, Up };
  Kind kind;
  POINT point;
};
struct KeyAction {
  UINT virtualKey;
  std::string word;  // how the scenario names it
};
struct TypeAction {
  std::u16string text;
};
struct SoftKeyAction {
  int number;
};
struct TitleOkAction {};
struct RotateAction {
  int width;
  int height;
};
struct InputPanelAction {
  bool shown;
};
struct SwitchAction {};

using InputAction = std::variant<PointerAction, KeyAction, TypeAction, SoftKeyAction, TitleOkAction, RotateAction,
                                 InputPanelAction, SwitchAction>;

// Throws RequestError (400) naming the field or value that is wrong.
InputAction ReadInputAction(const Json& request);

// Where a drag began, between its down and its up.
struct DragState {
  bool down = false;
  POINT start{};
};

// On the host thread: queues the input as the device's input thread would and records it. Returns
// the scenario line recorded, empty when the action has none (the first half of a drag).
std::string Perform(const InputAction& action, DragState& drag, ScenarioRecorder& recorder);

}  // namespace vlmhost::live
