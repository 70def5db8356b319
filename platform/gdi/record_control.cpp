// The GDI's control API: the drawing record and the count of live objects.
#include "handset/gdi.h"

#include "core/handset.h"
#include "gdi/gdi_state.h"

namespace handset::gdi {

std::vector<DrawCall> Drawing() {
  auto& gdi = Gdi();
  std::lock_guard lock(gdi.Mutex());
  return gdi.Drawing();
}

std::vector<DrawCall> Drawing(const std::string& function) {
  std::vector<DrawCall> matching;
  for (auto& call : Drawing())
    if (call.function == function) matching.push_back(std::move(call));
  return matching;
}

void ClearDrawing() {
  auto& gdi = Gdi();
  std::lock_guard lock(gdi.Mutex());
  gdi.ClearDrawing();
}

ObjectCounts LiveObjects() {
  auto& handles = core::Current().Handles();
  return {handles.Count<FontObject>(), handles.Count<PenObject>(), handles.Count<BrushObject>(),
          handles.Count<BitmapObject>(), handles.Count<DeviceContext>(), handles.Count<RegionObject>()};
}

}  // namespace handset::gdi
