#include "shell/picture_view.h"

#include <aygshell.h>

#include <algorithm>

#include "controls/control_support.h"
#include "gdi/outline.h"

namespace handset::shell {
namespace {

struct Thumbnail {
  bool loaded = false;
  HBITMAP bitmap = nullptr;  // a .bmp picture, read on first paint; others show their frame only
};

struct PictureViewRecord {
  std::vector<Picture> pictures;
  std::vector<Thumbnail> thumbnails;
  int top = 0;  // the first row shown
  int selected = -1;
  HFONT font = nullptr;
};

SIZE CellSize(HWND view, const PictureViewRecord& record) {
  int side = controls::ScaledToScreen(view, 72);
  return {side, side + controls::LineHeight(view, record.font)};
}

int Columns(HWND view, const PictureViewRecord& record) {
  RECT client;
  GetClientRect(view, &client);
  return std::max<LONG>(1, client.right / CellSize(view, record).cx);
}

RECT ItemRect(HWND view, const PictureViewRecord& record, int index) {
  SIZE cell = CellSize(view, record);
  int columns = Columns(view, record);
  LONG x = (index % columns) * cell.cx, y = (index / columns - record.top) * cell.cy;
  return {x, y, x + cell.cx, y + cell.cy};
}

bool IsBitmapFile(const std::u16string& name) {
  if (name.size() < 4) return false;
  std::u16string ext = name.substr(name.size() - 4);
  for (auto& c : ext)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return ext == u".bmp";
}

HBITMAP ThumbnailOf(PictureViewRecord& record, std::size_t index) {
  auto& thumbnail = record.thumbnails[index];
  if (!thumbnail.loaded) {
    thumbnail.loaded = true;
    if (IsBitmapFile(record.pictures[index].name)) thumbnail.bitmap = SHLoadDIBitmap(record.pictures[index].path.c_str());
  }
  return thumbnail.bitmap;
}

// The middle of the picture as much as fits the square, centred in it.
void DrawThumbnail(HDC dc, HBITMAP bitmap, const RECT& square) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info)) return;
  LONG side = square.right - square.left;
  LONG width = std::min<LONG>(info.bmWidth, side), height = std::min<LONG>(info.bmHeight, side);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(dc, square.left + (side - width) / 2, square.top + (side - height) / 2, width, height, memory,
         (info.bmWidth - width) / 2, (info.bmHeight - height) / 2, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

void Paint(HWND view, PictureViewRecord& record, HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  controls::FontScope font(dc, record.font);
  SetBkMode(dc, TRANSPARENT);
  int margin = controls::ScaledToScreen(view, 4);
  for (std::size_t i = 0; i < record.pictures.size(); ++i) {
    RECT cell = ItemRect(view, record, static_cast<int>(i));
    if (cell.bottom <= 0 || cell.top >= client.bottom) continue;
    LONG side = cell.right - cell.left;
    RECT square{cell.left + margin, cell.top + margin, cell.left + side - margin, cell.top + side - margin};
    bool selected = static_cast<int>(i) == record.selected;
    if (selected) FillRect(dc, &cell, GetSysColorBrush(COLOR_HIGHLIGHT));
    if (HBITMAP bitmap = ThumbnailOf(record, i)) DrawThumbnail(dc, bitmap, square);
    gdi::Outline(dc, square, GetSysColor(COLOR_WINDOWFRAME));
    RECT label{cell.left, cell.top + side, cell.right, cell.bottom};
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, record.pictures[i].name.c_str(), -1, &label,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
}

void ReleaseThumbnails(PictureViewRecord& record) {
  for (auto& thumbnail : record.thumbnails)
    if (thumbnail.bitmap) DeleteObject(thumbnail.bitmap);
  record.thumbnails.assign(record.pictures.size(), {});
}

int HitTest(HWND view, const PictureViewRecord& record, POINT point) {
  for (std::size_t i = 0; i < record.pictures.size(); ++i) {
    RECT cell = ItemRect(view, record, static_cast<int>(i));
    if (point.x >= cell.left && point.x < cell.right && point.y >= cell.top && point.y < cell.bottom)
      return static_cast<int>(i);
  }
  return -1;
}

LRESULT PictureViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = controls::RecordOf<PictureViewRecord>(view);
  if (!record) return DefWindowProcW(view, message, wParam, lParam);
  auto& pictures = record->pictures;
  bool has = wParam < pictures.size();
  switch (message) {
    case LB_GETCOUNT:
      return static_cast<LRESULT>(pictures.size());
    case LB_GETCURSEL:
      return record->selected < 0 ? LB_ERR : record->selected;
    case LB_GETTEXTLEN:
      return has ? static_cast<LRESULT>(pictures[wParam].name.size()) : LB_ERR;
    case LB_GETTEXT: {
      if (!has || !lParam) return LB_ERR;
      const auto& name = pictures[wParam].name;
      std::copy(name.begin(), name.end(), reinterpret_cast<LPWSTR>(lParam));
      reinterpret_cast<LPWSTR>(lParam)[name.size()] = 0;
      return static_cast<LRESULT>(name.size());
    }
    case LB_FINDSTRINGEXACT: {
      if (!lParam) return LB_ERR;
      for (std::size_t i = 0; i < pictures.size(); ++i)
        if (lstrcmpiW(pictures[i].name.c_str(), reinterpret_cast<LPCWSTR>(lParam)) == 0) return static_cast<LRESULT>(i);
      return LB_ERR;
    }
    case LB_GETITEMRECT:
      if (!has || !lParam) return LB_ERR;
      *reinterpret_cast<RECT*>(lParam) = ItemRect(view, *record, static_cast<int>(wParam));
      return 1;
    case LB_SETTOPINDEX:
      if (!has) return LB_ERR;
      record->top = static_cast<int>(wParam) / Columns(view, *record);
      InvalidateRect(view, nullptr, TRUE);
      return 0;
    case WM_LBUTTONUP: {
      int index = HitTest(view, *record, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      if (index < 0) return 0;
      record->selected = index;
      InvalidateRect(view, nullptr, TRUE);
      controls::Notify(view, LBN_SELCHANGE);
      return 0;
    }
    case WM_DESTROY:
      ReleaseThumbnails(*record);
      return controls::ControlDefault(view, message, wParam, lParam, *record, Paint);
    default:
      return controls::ControlDefault(view, message, wParam, lParam, *record, Paint);
  }
}

}  // namespace

bool RegisterPictureViewClass() {
  WNDCLASSW c{};
  c.lpfnWndProc = PictureViewProc;
  c.lpszClassName = kPictureViewClass;
  return RegisterClassW(&c) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void SetPictures(HWND view, std::vector<Picture> pictures) {
  auto record = controls::RecordOf<PictureViewRecord>(view);
  if (!record) return;
  ReleaseThumbnails(*record);
  record->pictures = std::move(pictures);
  record->thumbnails.assign(record->pictures.size(), {});
  record->selected = -1;
  record->top = 0;
  InvalidateRect(view, nullptr, TRUE);
}

std::vector<Picture> PicturesOf(HWND view) {
  auto record = controls::RecordOf<PictureViewRecord>(view);
  return record ? record->pictures : std::vector<Picture>{};
}

}  // namespace handset::shell
