#include "windows/window_class.h"

#include <algorithm>

#include "core/names.h"

namespace handset::windows {
namespace {

// String atoms start here in Win32; smaller values are integer atoms.
constexpr ATOM kFirstAtom = 0xC000;

}  // namespace

ATOM ClassTable::Intern(std::u16string_view name) {
  for (const auto& atom : atoms_)
    if (core::SameName(atom.name, name)) return atom.value;
  if (atoms_.size() >= 0x10000u - kFirstAtom) return 0;
  ATOM value = static_cast<ATOM>(kFirstAtom + atoms_.size());
  atoms_.push_back({std::u16string(name), value});
  return value;
}

ATOM ClassTable::AtomOf(LPCWSTR nameOrAtom) const {
  if (!nameOrAtom) return 0;
  if (IS_INTRESOURCE(nameOrAtom)) {
    auto value = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(nameOrAtom));
    return std::any_of(atoms_.begin(), atoms_.end(), [&](const Atom& a) { return a.value == value; }) ? value : 0;
  }
  for (const auto& atom : atoms_)
    if (core::SameName(atom.name, nameOrAtom)) return atom.value;
  return 0;
}

std::u16string ClassTable::NameOf(ATOM atom) const {
  for (const auto& a : atoms_)
    if (a.value == atom) return a.name;
  return {};
}

std::shared_ptr<WindowClass> ClassTable::Lookup(ATOM atom, HINSTANCE instance, bool local) const {
  for (const auto& c : classes_)
    if (c->atom == atom && c->IsGlobal() != local && (!local || c->instance == instance)) return c;
  return nullptr;
}

std::shared_ptr<WindowClass> ClassTable::Find(LPCWSTR nameOrAtom, HINSTANCE instance) const {
  ATOM atom = AtomOf(nameOrAtom);
  if (!atom) return nullptr;
  if (auto local = Lookup(atom, instance, true)) return local;
  // A NULL instance finds a local class whatever instance registered it, as on Win32: a program
  // that creates its windows with a NULL instance finds the classes its own module registered.
  if (!instance)
    for (const auto& c : classes_)
      if (c->atom == atom && !c->IsGlobal()) return c;
  return Lookup(atom, instance, false);
}

std::shared_ptr<WindowClass> ClassTable::Register(const WNDCLASSW& d, DWORD& error) {
  if (!d.lpszClassName || d.cbWndExtra < 0 || d.cbClsExtra < 0) {
    error = ERROR_INVALID_PARAMETER;
    return nullptr;
  }
  ATOM atom = 0;
  if (IS_INTRESOURCE(d.lpszClassName)) {
    atom = AtomOf(d.lpszClassName);
  } else if (*d.lpszClassName) {
    atom = Intern(d.lpszClassName);
  }
  if (!atom) {
    error = ERROR_INVALID_PARAMETER;
    return nullptr;
  }
  // A local class may shadow a global one of the same name, but not another local class of the
  // same instance; a second global class of a name is refused.
  bool global = (d.style & CS_GLOBALCLASS) != 0;
  if (Lookup(atom, d.hInstance, !global)) {
    error = ERROR_CLASS_ALREADY_EXISTS;
    return nullptr;
  }
  auto c = std::make_shared<WindowClass>();
  c->atom = atom;
  c->name = IS_INTRESOURCE(d.lpszClassName) ? NameOf(atom) : std::u16string(d.lpszClassName);
  c->style = d.style;
  c->procedure = d.lpfnWndProc;
  c->instance = d.hInstance;
  c->windowExtraBytes = d.cbWndExtra;
  c->classExtraBytes.assign(static_cast<std::size_t>(d.cbClsExtra), 0);
  c->icon = d.hIcon;
  c->cursor = d.hCursor;
  c->background = d.hbrBackground;
  classes_.push_back(c);
  return c;
}

bool ClassTable::Unregister(LPCWSTR nameOrAtom, HINSTANCE instance, DWORD& error) {
  ATOM atom = AtomOf(nameOrAtom);
  auto c = atom ? Find(nameOrAtom, instance) : nullptr;
  if (!c) {
    error = ERROR_CLASS_DOES_NOT_EXIST;
    return false;
  }
  if (c->windowCount) {
    error = ERROR_CLASS_HAS_WINDOWS;
    return false;
  }
  classes_.erase(std::find(classes_.begin(), classes_.end(), c));
  return true;
}

}  // namespace handset::windows
