#include "controls/item_list.h"

#include <algorithm>

namespace handset::controls {
namespace {

WCHAR Folded(WCHAR c) { return static_cast<WCHAR>(towupper(c)); }

bool StartsWith(const std::u16string& text, const std::u16string& prefix, bool exact) {
  if (exact ? text.size() != prefix.size() : text.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(), [](WCHAR a, WCHAR b) { return Folded(a) == Folded(b); });
}

}  // namespace

int ItemList::Add(std::u16string text, bool sorted) {
  auto at = items_.end();
  if (sorted)
    at = std::find_if(items_.begin(), items_.end(), [&](const Item& item) { return lstrcmpiW(text.c_str(), item.text.c_str()) < 0; });
  int index = static_cast<int>(at - items_.begin());
  items_.insert(at, Item{std::move(text), 0});
  Inserted(index);
  return index;
}

void ItemList::Inserted(int index) {
  for (int* mark : {&selection_, &anchor_})
    if (*mark >= index) ++*mark;
  if (caret_ >= index && Count() > 1) ++caret_;
}

int ItemList::Insert(int index, std::u16string text) {
  if (index == -1) index = Count();
  if (index < 0 || index > Count()) return LB_ERR;
  items_.insert(items_.begin() + index, Item{std::move(text), 0});
  Inserted(index);
  return index;
}

int ItemList::Erase(int index) {
  if (!Has(index)) return LB_ERR;
  items_.erase(items_.begin() + index);
  if (selection_ == index)
    selection_ = -1;
  else if (selection_ > index)
    --selection_;
  if (anchor_ == index)
    anchor_ = -1;
  else if (anchor_ > index)
    --anchor_;
  // The caret stays on the item that takes the deleted one's place, or the last.
  if (caret_ > index || caret_ >= Count()) caret_ = std::max(0, caret_ - 1);
  return Count();
}

void ItemList::Clear() {
  items_.clear();
  selection_ = -1;
  caret_ = 0;
  anchor_ = -1;
}

int ItemList::SelectedCount() const {
  return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const Item& item) { return item.selected; }));
}

int ItemList::Find(int start, const std::u16string& text, bool exact) const {
  int count = Count();
  if (!count) return LB_ERR;
  int first = (start < 0 || start >= count) ? 0 : start + 1;
  for (int n = 0; n < count; ++n) {
    int index = (first + n) % count;
    if (StartsWith(Text(index), text, exact)) return index;
  }
  return LB_ERR;
}

LRESULT ItemList::CopyText(int index, LPARAM buffer) const {
  if (!Has(index) || !buffer) return LB_ERR;
  const auto& text = Text(index);
  auto* out = reinterpret_cast<LPWSTR>(buffer);
  std::copy(text.begin(), text.end(), out);
  out[text.size()] = 0;
  return static_cast<LRESULT>(text.size());
}

LRESULT ItemList::TextLength(int index) const { return Has(index) ? static_cast<LRESULT>(Text(index).size()) : LB_ERR; }

LRESULT ItemList::DataOf(int index) const { return Has(index) ? Data(index) : LB_ERR; }

LRESULT ItemList::SetDataOf(int index, LPARAM data) {
  if (!Has(index)) return LB_ERR;
  SetData(index, data);
  return TRUE;
}

int ItemList::SelectString(int start, const std::u16string& text) {
  int found = Find(start, text, false);
  if (found != LB_ERR) Select(found);
  return found;
}

}  // namespace handset::controls
