// What a person did on the live page, as a scenario in the scripted user's words, so that
// `vlmhost options --script` replays it. Lines are added on the host thread and read from any.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vlmhost::live {

class ScenarioRecorder {
 public:
  // Begins a new scenario (the options screen opens), headed by a comment.
  void Restart(const std::string& heading);
  // Before an action: when the modal windows up (`stack` as ModalStack names them) are not those
  // of the last action, the replay must wait for the innermost one's dialog (`innermostTemplate`,
  // 0 for none), as the person did (a dialog that opens after a network answer).
  void NoteModalWindows(const std::string& stack, int innermostTemplate);
  void Add(std::string line);
  // Typing into control `id` that leaves it with `text` and the caret at `caret`: one `type` line
  // per visit to a control, since the scripted step replaces the whole text.
  void Typed(int id, std::u16string text, std::size_t caret);
  // Where the typing of the last line stands when it went into control `id`: the next characters
  // go there, even before the control has taken the ones still queued to it.
  struct Typing {
    std::u16string text;
    std::size_t caret = 0;
  };
  std::optional<Typing> TypingInto(int id) const;

  std::vector<std::string> Lines() const;
  std::string Text() const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
  std::string seen_ = "none";  // the modal windows at the last action
  int typingInto_ = 0;  // the control the last line typed into, 0 when the last line was no typing
  Typing typing_;
};

// A text in the scenario's double quotes, with \" and \\ escaped.
std::string Quoted(const std::string& text);

// How long a replay waits for a screen the person waited for: the network's answers included.
inline constexpr int kReplayWaitMs = 10000;

}  // namespace vlmhost::live
