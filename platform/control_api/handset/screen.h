// Control API of the handset's screen: its size and rotation, its resolution, its pixels, its
// frames and a picture of it.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace handset::screen {

struct Size {
  int width;
  int height;
};

// 240 x 320 at angle 0 on a fresh handset.
Size CurrentSize();
// One of 240 x 320, 240 x 240, 320 x 240, 480 x 640, 640 x 480, 480 x 800, 800 x 480; any other
// size is refused (false) and nothing changes. The rotation angle is kept.
bool SetSize(int width, int height);

// The display's rotation in degrees (0, 90, 180, 270).
int Angle();
// Turns the display to `angle` (0, 90, 180 or 270; anything else is refused): width and height
// swap between portrait and landscape, and the window manager hears of the change.
bool Rotate(int angle);

// 96 on the 240-wide (quarter-VGA) screens, 192 on the VGA and wide-VGA ones.
int Dpi();

// The pixel at (x, y) as a COLORREF (0x00BBGGRR); 0xFFFFFFFF outside the screen.
std::uint32_t Pixel(int x, int y);

// The number of the frame on the screen now: it grows each time the screen's pixels change (a
// drawing that leaves them as they were may count no frame). Any thread.
std::uint64_t FrameNumber();
// Waits until a frame newer than `after` is on the screen (true) or `limit` has passed (false).
// Any thread, while another draws.
bool WaitForFrame(std::uint64_t after, std::chrono::milliseconds limit);

// The screen now, as the bytes of a PNG image; empty when no picture can be made (no memory).
std::vector<std::uint8_t> Png();

// Writes the screen as a PNG file (the bytes of Png()), atomically (a temporary file beside it, renamed over it), so that
// a write that fails or is cut short leaves no partial picture. Throws std::runtime_error naming the
// file and the reason when it cannot be written.
void WritePng(const std::filesystem::path& file);
// WritePng for callers that need no reason: false when the file cannot be written.
bool SavePng(const std::filesystem::path& file);

}  // namespace handset::screen
