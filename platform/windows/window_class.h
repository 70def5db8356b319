// Window classes: what RegisterClassW records, and the per-process table that finds a class by its
// name or atom the way Windows CE does (names ignore letter case; a local class belongs to the
// instance that registered it, a CS_GLOBALCLASS class serves every instance).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

namespace handset::windows {

struct WindowClass {
  ATOM atom = 0;
  std::u16string name;  // as registered: GetClassNameW returns this spelling
  UINT style = 0;
  WNDPROC procedure = nullptr;
  HINSTANCE instance = nullptr;
  int windowExtraBytes = 0;
  std::vector<BYTE> classExtraBytes;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::size_t windowCount = 0;  // windows of the class alive; it cannot be unregistered meanwhile

  bool IsGlobal() const { return (style & CS_GLOBALCLASS) != 0; }
};

// Not locked: the window manager guards it with its own lock.
class ClassTable {
 public:
  // The new class, or null with the Win32 error in `error`.
  std::shared_ptr<WindowClass> Register(const WNDCLASSW& description, DWORD& error);
  bool Unregister(LPCWSTR nameOrAtom, HINSTANCE instance, DWORD& error);

  // The class that CreateWindowExW uses for `instance`: its own local class of that name first,
  // then a global one. Null when there is none.
  std::shared_ptr<WindowClass> Find(LPCWSTR nameOrAtom, HINSTANCE instance) const;

  // The atom that names classes called `nameOrAtom` (whatever their instance), or 0 when no such
  // name was ever registered.
  ATOM AtomOf(LPCWSTR nameOrAtom) const;

 private:
  ATOM Intern(std::u16string_view name);
  std::u16string NameOf(ATOM atom) const;
  // Local class of `instance` (when `local`) or global class with this atom.
  std::shared_ptr<WindowClass> Lookup(ATOM atom, HINSTANCE instance, bool local) const;

  struct Atom {
    std::u16string name;
    ATOM value;
  };
  std::vector<Atom> atoms_;  // class names once registered keep their atom, as in Win32's atom table
  std::vector<std::shared_ptr<WindowClass>> classes_;
};

}  // namespace handset::windows
