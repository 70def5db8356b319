// A scroll bar's range, page and position, kept as Win32 keeps them: the position always lies in
// [min, max - max(page - 1, 0)], the page never exceeds the range.
#pragma once

#include <windows.h>

namespace handset::windows {

struct ScrollBar {
  bool exists = false;  // made by WS_VSCROLL / WS_HSCROLL at creation or by a first SetScrollInfo
  int min = 0;
  int max = 0;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;

  // Applies the fields of `info` that its mask names, then clamps page and position as Win32 does.
  // An invalid range (min above max, or wider than a LONG) becomes 0..0.
  void Apply(const SCROLLINFO& info);
  // Fills the fields of `info` that its mask names.
  void Read(SCROLLINFO& info) const;
  // Whether there is anything to scroll: a window's bar is shown exactly then.
  bool Scrollable() const;
  int MaxPos() const;

  // Where the thumb lies on a track `length` pixels long: the painted bar and a finger on it agree.
  struct Span {
    LONG start;
    LONG length;
  };
  Span Thumb(LONG length) const;
  // The position that a thumb starting `start` pixels along such a track stands for.
  int PositionAt(LONG start, LONG length) const;
};

}  // namespace handset::windows
