#include "vlmrc_internals.h"

static const VlmrcInternals Internals = {
    DebugLog,
    CenterWindowOnScreen,
    SetSheetTitle,
    GetDBMUIFlag,
    LoadDBMUISetting,
    GetVertScrollPos,
    SetVertScrollPos,
    GetScrollControlId,
    RecordScrollControls,
    MoveScrollControls,
    FindFocusNotifySlot,
    ScrollControlIds,
    ScrollControlTable,
    FocusNotifySlots,
    GetFontQuality,
    CreateSharedResourceFont,
    IsLargeButtonMode,
    TitleFontName,
    DividerFontName,
    &SharedLabelStyle,
    [](HWND owner) { return new LabelStyle(owner); },
    [](LabelStyle* style) { style->InitLabelStyle(); },
    [](LabelStyle* through, BOOL bold) { through->SetLabelBold(bold); },
    PaintedLabelProc,
    RelayoutDialogFromTemplate,
    FixupTemplateItem,
    &DisplayScale,
};

extern "C" const VlmrcInternals* VlmrcInternalsTable(void) { return &Internals; }
