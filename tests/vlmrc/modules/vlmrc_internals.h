// vlmrc_internals.dll: the library's own code linked into a test module whose one export,
// VlmrcInternalsTable, hands the tests the library's internal helpers and its module-wide state.
// The module is loaded by name like vlmrc.dll, runs the same static initialisation and entry point,
// and every load starts with fresh module-wide state. Its own resources hold the strings the
// helpers look up through the module instance handle.
#pragma once

#include <windows.h>

#include "forwarding/cf_info.h"
#include "forwarding/cf_progress_dialogs.h"
#include "forwarding/cf_settings_sheet.h"
#include "forwarding/vt_service_library.h"
#include "options/about_page.h"
#include "options/options_sheet.h"
#include "options/page_scrolling.h"
#include "options/preferences_page.h"
#include "options/template_relayout.h"
#include "settings/dbmui_setting.h"
#include "ui/debug_log.h"
#include "ui/display_scale.h"
#include "ui/focus_notify.h"
#include "ui/format_check.h"
#include "ui/fonts.h"
#include "ui/label_style.h"
#include "ui/painted_label.h"
#include "ui/scroll_controls.h"
#include "ui/window_helpers.h"
#include "vlmrc_internals_resources.h"

struct VlmrcInternals {
  // Window and logging helpers.
  decltype(&::DebugLog) DebugLog;
  decltype(&::CenterWindowOnScreen) CenterWindowOnScreen;
  decltype(&::SetSheetTitle) SetSheetTitle;
  decltype(&::GetDBMUIFlag) GetDBMUIFlag;
  decltype(&::LoadDBMUISetting) LoadDBMUISetting;
  decltype(&::GetVertScrollPos) GetVertScrollPos;
  decltype(&::SetVertScrollPos) SetVertScrollPos;
  decltype(&::GetScrollControlId) GetScrollControlId;
  decltype(&::RecordScrollControls) RecordScrollControls;
  decltype(&::MoveScrollControls) MoveScrollControls;
  decltype(&::FindFocusNotifySlot) FindFocusNotifySlot;
  const int* ScrollControlIds;
  ScrollControlSlot* ScrollControlTable;
  FocusNotifySlot* FocusNotifySlots;

  // Fonts and shared look settings.
  decltype(&::GetFontQuality) GetFontQuality;
  decltype(&::CreateSharedResourceFont) CreateSharedResourceFont;
  decltype(&::IsLargeButtonMode) IsLargeButtonMode;
  WCHAR* TitleFontName;
  WCHAR* DividerFontName;

  // The painted label. LabelStyle's code lives in the module, so its constructor and members are
  // reached through these; a style made here is deleted with `delete` (its destructor is virtual).
  LabelStyle* SharedLabelStyle;
  LabelStyle* (*NewLabelStyle)(HWND owner);
  void (*InitLabelStyle)(LabelStyle* style);
  void (*SetLabelBold)(LabelStyle* through, BOOL bold);
  decltype(&::PaintedLabelProc) PaintedLabelProc;

  // Template relayout and the display scale.
  decltype(&::RelayoutDialogFromTemplate) RelayoutDialogFromTemplate;
  decltype(&::FixupTemplateItem) FixupTemplateItem;
  int* DisplayScale;

  // The service library binding and its request records.
  decltype(&::LoadVTLib) LoadVTLib;
  decltype(&::FreeVTLib) FreeVTLib;
  decltype(&::VTSSCancel) VTSSCancel;
  decltype(&::VTGetCF) VTGetCF;
  decltype(&::VTSetCF) VTSetCF;
  decltype(&::VTGetVersion) VTGetVersion;
  VTServiceLibrary* VTServiceBinding;
  CFRequest* CFQueryRequest;
  CFRequest* CFSetRequest;

  // The forwarding record: the reasons table, the number filter, the comparison and the store.
  const CFReason* Reasons;
  decltype(&::FilterPhoneNumber) FilterPhoneNumber;
  decltype(&::CompareCFInfo) CompareCFInfo;
  decltype(&::SaveCFNumbers) SaveCFNumbers;
  decltype(&::LoadCFNumbers) LoadCFNumbers;

  // The forwarding screens: the progress dialogs, the forwarding settings sheet, and the options
  // sheet's guard that the forwarding page sets around them.
  decltype(&::ShowReadDlg) ShowReadDlg;
  decltype(&::ShowWriteDlg) ShowWriteDlg;
  decltype(&::ValidateCFRequest) ValidateCFRequest;
  decltype(&::ShowCFSheet) ShowCFSheet;
  BOOL* SheetDialogGuard;

  // The options pages' helpers.
  decltype(&::ComposeAboutTexts) ComposeAboutTexts;
  decltype(&::ScrollRequestTarget) ScrollRequestTarget;
  decltype(&::IsAcceptedPictureFile) IsAcceptedPictureFile;
  decltype(&::IsFormatFor) IsFormatFor;
};

typedef const VlmrcInternals* (*VlmrcInternalsTableProc)(void);
