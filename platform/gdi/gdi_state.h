// The handset's GDI: the stock objects, the lookup of handles, the device contexts' selections and
// the record of drawing calls. One lock guards it all, the screen's drawing lock; every GDI call
// holds it from start to end, so objects, selections and the surfaces change under one call at a time. Every member expects
// the caller to hold that lock, except the window-area query, which has its own.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include <windows.h>

#include "gdi/device_context.h"
#include "gdi/gdi_objects.h"
#include "gdi/window_dc.h"
#include "handset/gdi.h"

namespace handset::gdi {

class GdiState {
 public:
  GdiState();

  std::mutex& Mutex() { return mutex_; }

  // --- objects ---
  std::shared_ptr<GdiObject> Find(HGDIOBJ object) const;  // null for an unknown handle
  std::shared_ptr<DeviceContext> FindDc(HDC dc) const;
  HGDIOBJ Stock(int id) const;  // null for an unknown id
  HBRUSH SysColorBrush(int index) const;
  HBITMAP DefaultBitmap() const { return defaultBitmap_; }
  // A font's description as GetObjectW gives it; the stock fonts follow the screen's resolution.
  LOGFONTW Describe(const FontObject& font) const;

  // Removes an object that no device context holds; stock objects stay. False when selected.
  bool Delete(HGDIOBJ object);

  // --- device contexts ---
  HDC NewDc(DeviceContext dc);  // selects the stock defaults
  bool FreeDc(HDC dc);          // deselects everything and removes the handle
  // Puts `object` into the slot of its kind and returns what it replaced; null when it cannot be
  // selected (a bitmap into a device context of the screen, a bitmap already in another one).
  HGDIOBJ Select(HDC handle, DeviceContext& dc, HGDIOBJ object);

  // --- window device contexts ---
  void SetWindowAreaQuery(WindowAreaQuery query);
  std::optional<WindowArea> AreaOf(HWND window) const;

  // --- the drawing record ---
  void Record(DrawCall call);
  std::vector<DrawCall> Drawing() const;
  void ClearDrawing();

 private:
  HGDIOBJ AddFixed(std::uint32_t value, std::shared_ptr<GdiObject> object);

  std::mutex& mutex_;  // the screen's, which outlives this state
  mutable std::mutex queryMutex_;
  std::map<std::uint32_t, std::shared_ptr<GdiObject>> fixed_;  // stock objects, system brushes
  HBITMAP defaultBitmap_ = nullptr;
  WindowAreaQuery windowAreaQuery_;
  std::deque<DrawCall> drawing_;
};

GdiState& Gdi();

// A call's drawing description of the objects selected into a device context now.
DrawCall DescribeCall(const char* function, HDC handle, const DeviceContext& dc);

}  // namespace handset::gdi
