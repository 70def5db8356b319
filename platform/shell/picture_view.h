// The picker's view: the pictures as a grid of thumbnails with their names below, answering the
// list box's item messages (LB_GETCOUNT, LB_GETTEXT, LB_FINDSTRINGEXACT, LB_GETITEMRECT,
// LB_SETTOPINDEX, LB_GETCURSEL). A tap on a picture selects it and tells the parent (LBN_SELCHANGE).
#pragma once

#include <windows.h>

#include <vector>

#include "shell/picture_list.h"

namespace handset::shell {

inline constexpr char16_t kPictureViewClass[] = u"PictureView";
inline constexpr int kPictureViewId = 0x1001;

bool RegisterPictureViewClass();
void SetPictures(HWND view, std::vector<Picture> pictures);
std::vector<Picture> PicturesOf(HWND view);

}  // namespace handset::shell
