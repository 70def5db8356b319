// GetOpenFileNameEx: the picture picker, a full-screen modal dialog with the pictures of
// "\My Documents" as thumbnails. A tap on a picture picks it; Cancel (or the user's leaving)
// picks nothing. The chosen path goes to the caller's buffer only when it fits.
#include <aygshell.h>

#include <filesystem>
#include <system_error>

#include "dialogs/dialog_box.h"
#include "dialogs/template_writer.h"
#include "handset/handset.h"
#include "core/api_guard.h"
#include "shell/picture_view.h"

namespace handset::shell {
namespace {

struct Picker {
  const OPENFILENAMEEX* request;
  std::vector<Picture> pictures;
  int chosen = -1;
};

bool StillThere(const Picture& picture) {
  std::error_code error;
  return std::filesystem::is_regular_file(HostPath(picture.path), error);
}

void Choose(HWND dialog, Picker& picker, int index) {
  if (index < 0 || index >= static_cast<int>(picker.pictures.size())) return;
  if ((picker.request->Flags & OFN_FILEMUSTEXIST) && !StillThere(picker.pictures[static_cast<std::size_t>(index)])) {
    MessageBoxW(dialog, u"This picture is no longer there.", u"Pictures", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  picker.chosen = index;
  EndDialog(dialog, IDOK);
}

INT_PTR PickerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* picker = reinterpret_cast<Picker*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      picker = reinterpret_cast<Picker*>(lParam);
      int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
      SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
      SetPictures(GetDlgItem(dialog, kPictureViewId), picker->pictures);
      return TRUE;
    }
    case WM_SIZE: {
      RECT client;
      GetClientRect(dialog, &client);
      SetWindowPos(GetDlgItem(dialog, kPictureViewId), nullptr, 0, 0, client.right, client.bottom,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    }
    case WM_COMMAND:
      if (!picker) return FALSE;
      if (LOWORD(wParam) == kPictureViewId && HIWORD(wParam) == LBN_SELCHANGE)
        Choose(dialog, *picker, static_cast<int>(SendDlgItemMessageW(dialog, kPictureViewId, LB_GETCURSEL, 0, 0)));
      else if (LOWORD(wParam) == IDOK)
        Choose(dialog, *picker, static_cast<int>(SendDlgItemMessageW(dialog, kPictureViewId, LB_GETCURSEL, 0, 0)));
      else if (LOWORD(wParam) == IDCANCEL)
        EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// Copies the chosen path and its parts into the caller's record, never past its buffers.
BOOL Deliver(OPENFILENAMEEX& info, const Picture& picture) {
  if (picture.path.size() + 1 > info.nMaxFile) return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::copy(picture.path.begin(), picture.path.end(), info.lpstrFile);
  info.lpstrFile[picture.path.size()] = 0;
  auto nameAt = picture.path.size() - picture.name.size();
  info.nFileOffset = static_cast<WORD>(nameAt);
  auto dot = picture.name.rfind(u'.');
  info.nFileExtension = dot == std::u16string::npos ? 0 : static_cast<WORD>(nameAt + dot + 1);
  if (info.lpstrFileTitle && info.nMaxFileTitle) {
    std::size_t count = std::min<std::size_t>(picture.name.size(), info.nMaxFileTitle - 1);
    std::copy_n(picture.name.begin(), count, info.lpstrFileTitle);
    info.lpstrFileTitle[count] = 0;
  }
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL RunPicker(OPENFILENAMEEX* info) {
  if (!info || info->lStructSize != sizeof(OPENFILENAMEEX) || !info->lpstrFile || !info->nMaxFile)
    return Fail(ERROR_INVALID_PARAMETER);
  if (!RegisterPictureViewClass()) return FALSE;
  Picker picker{info, ListPictures(info->lpstrFilter, info->nFilterIndex)};
  dialogs::TemplateDialog dialog{WS_POPUP | WS_CAPTION | WS_VISIBLE, 160, 200,
                                 info->lpstrTitle ? info->lpstrTitle : u"Pictures", 8, u"Tahoma", {}};
  dialog.controls.push_back({kPictureViewClass, kPictureViewId, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 160, 200});
  auto bytes = dialogs::WriteTemplate(dialog);
  dialogs::DialogRequest request;
  request.source = {bytes.data(), bytes.size() * sizeof(std::uint32_t), std::nullopt};
  request.owner = info->hwndOwner;
  request.procedure = PickerProc;
  request.param = reinterpret_cast<LPARAM>(&picker);
  if (dialogs::RunDialogBox(request) == -1 && picker.chosen < 0) return FALSE;
  if (picker.chosen < 0) return Fail(ERROR_SUCCESS);  // cancelled
  return Deliver(*info, picker.pictures[static_cast<std::size_t>(picker.chosen)]);
}

}  // namespace
}  // namespace handset::shell

extern "C" BOOL GetOpenFileNameEx(LPOPENFILENAMEEX info) {
  return handset::core::Guarded(FALSE, [&] { return handset::shell::RunPicker(info); });
}
