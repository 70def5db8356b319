// Where the about page's items go: the normal look stacks the template's lines with gaps that grow
// with the screen; the large-button look takes fixed places from AboutItems.
#include "options/about_page.h"
#include "options/options_sheet.h"

#define LARGE_SCREEN_WIDTH 480

AboutItem AboutItems[ABOUT_ITEM_COUNT] = {
    {0, 0, 600, 0, {186, 479, 109, 41}, {346, 171, 109, 41}, NULL, NULL},
    {1030, 43, 500, SS_CENTER, {0, 188, 480, 0}, {0, 12, 800, 0}, NULL, NULL},
    {1035, 22, 500, SS_CENTER, {0, 246, 480, 0}, {0, 70, 800, 0}, NULL, NULL},
    {7209, 22, 500, SS_CENTER, {0, 278, 480, 0}, {0, 102, 800, 0}, NULL, NULL},
    {1033, 14, 500, SS_CENTER, {0, 530, 480, 0}, {0, 221, 800, 0}, NULL, NULL},
    {1032, 14, 500, SS_CENTER, {0, 545, 480, 0}, {0, 236, 800, 0}, NULL, NULL},
    {1034, 14, 500, SS_CENTER, {0, 560, 480, 0}, {0, 251, 800, 0}, NULL, NULL},
};

AboutLayoutItem AboutLayout[ABOUT_ITEM_COUNT];

enum { LEFT, TOP, RIGHT, BOTTOM };

void LayoutAboutNormal(HWND page) {
  int scale = GetSystemMetrics(SM_CXSCREEN) > LARGE_SCREEN_WIDTH ? 2 : 1;
  int logoHeight = AboutLayout[0].place[BOTTOM] - AboutLayout[0].place[TOP];
  // The gap above each line, after the bottom of the line before it (the first from the top).
  const int gaps[ABOUT_ITEM_COUNT] = {0, 12 * scale, scale, scale, 12 * scale + logoHeight, 3 * scale, 3 * scale};
  int bottom = 0;
  for (int index = 1; index < ABOUT_ITEM_COUNT; ++index) {
    HWND line = GetDlgItem(page, AboutItems[index].id);
    AboutLayout[index].window = line;
    RECT rect = {0, 0, 0, 0};
    if (line != NULL) GetWindowRect(line, &rect);
    int* place = AboutLayout[index].place;
    place[LEFT] = rect.left;
    place[RIGHT] = rect.right;
    place[TOP] = bottom + gaps[index];
    place[BOTTOM] = place[TOP] + (rect.bottom - rect.top);
    bottom = place[BOTTOM];
  }
  // The logo sits between the version line and the year line.
  AboutLayout[0].place[TOP] = AboutLayout[3].place[BOTTOM] + 6 * scale;
  AboutLayout[0].place[BOTTOM] = AboutLayout[0].place[TOP] + logoHeight;
}

void LayoutAboutFromTable(void) {
  BOOL portrait = CurrentScreenOrientation() > 0;
  for (int index = 0; index < ABOUT_ITEM_COUNT; ++index) {
    const int* column = portrait ? AboutItems[index].portrait : AboutItems[index].landscape;
    AboutLayoutItem* item = &AboutLayout[index];
    item->window = AboutItems[index].window;
    RECT rect;
    if (item->window != NULL && GetWindowRect(item->window, &rect)) {
      item->place[LEFT] = rect.left;
      item->place[TOP] = rect.top;
      item->place[RIGHT] = rect.right;
      item->place[BOTTOM] = rect.bottom;
    }
    int height = item->place[BOTTOM] - item->place[TOP];
    item->place[0] = column[0];
    item->place[1] = column[1];
    item->place[2] = column[0] + column[2];
    item->place[3] = height;
  }
  const int* logo = portrait ? AboutItems[0].portrait : AboutItems[0].landscape;
  for (int value = 0; value < 4; ++value) AboutLayout[0].place[value] = logo[value];
}

void ScrollAboutItems(int position) {
  for (int index = 0; index < ABOUT_ITEM_COUNT; ++index) {
    const AboutLayoutItem* item = &AboutLayout[index];
    if (item->window != NULL)
      SetWindowPos(item->window, HWND_TOP, item->place[0], item->place[1] - position, 0, 0, SWP_NOSIZE);
  }
}
