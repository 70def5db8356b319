// The video-telephony options screen: a modal property sheet, tabs at the bottom and a soft-key
// bar, opened by CreateVTOpt. Its module-wide state lives for the process and serves one sheet at
// a time; nothing resets it when a new sheet opens.
#pragma once

#include <windows.h>
#include <vlmrc/vlmrc.h>

// Non-zero while a page has a modal window of its own in front of the sheet (a forwarding dialog,
// the picture picker) or has just closed one: the sheet then does not cancel itself when it is
// repositioned.
extern BOOL SheetDialogGuard;
// The orientation last seen by the sheet: 1 taller than wide, -1 wider than tall, 0 square.
extern int SheetOrientation;
// Set by the last rotation: non-zero when it changed the orientation.
extern BOOL OrientationChanged;
// The sheet window's own procedure, kept when the sheet is subclassed.
extern WNDPROC PrevSheetProc;

// The options screen, built on the stack of CreateVTOpt for one run.
class VTOptSheet {
 public:
  explicit VTOptSheet(HWND owner) : owner_(owner) {}
  virtual ~VTOptSheet() {}
  // Runs the sheet modally; stores the settings when it closes with OK. Returns 1.
  int Run();

 private:
  HWND owner_;
};

int CALLBACK VTOptSheetCallback(HWND sheet, UINT message, LPARAM lParam);
LRESULT CALLBACK VTOptSheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam);

// The orientation of the screen now, as SheetOrientation records it.
int CurrentScreenOrientation(void);

// The pages' handling of the soft keys: IDM_VTOPT_CANCEL and IDM_VTOPT_OK press the sheet's Cancel
// or OK button (posted to the page's parent, when it has one). TRUE when the command was a soft key.
BOOL HandleSoftKeyCommand(HWND page, UINT command);
