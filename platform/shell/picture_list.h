// The pictures the picker offers: the files under "\My Documents" (subfolders included) whose
// names match the picker's filter, by device path in name order.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace handset::shell {

struct Picture {
  std::u16string path;  // the full device path
  std::u16string name;  // the file name
};

// `filter` is the OPENFILENAMEEX filter ("Description\0*.jpg;*.png\0...\0\0") and `index` its
// 1-based pair; a null filter takes every picture type (.bmp, .jpg, .jpeg, .png, .gif).
std::vector<Picture> ListPictures(LPCWSTR filter, DWORD index);

}  // namespace handset::shell
