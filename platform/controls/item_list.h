// The strings of a list box or combo box, each with its item data, and the current selection; for
// a list box also the caret (the item with the focus, 0 at first), the anchor (where a range of
// selected items starts, none at first) and, in a list of several selected items, which are.
// Indexes are those of the LB_ / CB_ messages; failures give LB_ERR (which equals CB_ERR).
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace handset::controls {

class ItemList {
 public:
  // Inserts in sorted order (ignoring case) when `sorted`, else at the end.
  int Add(std::u16string text, bool sorted);
  // At `index`, or at the end for -1; LB_ERR past the end.
  int Insert(int index, std::u16string text);
  // The number of items left, or LB_ERR.
  int Erase(int index);
  void Clear();

  int Count() const { return static_cast<int>(items_.size()); }
  bool Has(int index) const { return index >= 0 && index < Count(); }
  const std::u16string& Text(int index) const { return items_[static_cast<std::size_t>(index)].text; }
  LRESULT Data(int index) const { return items_[static_cast<std::size_t>(index)].data; }
  void SetData(int index, LRESULT data) { items_[static_cast<std::size_t>(index)].data = data; }

  // The first item after `start` (wrapping round; -1 searches from the top) whose text begins
  // with (or, `exact`, equals) `text`, ignoring case; LB_ERR when none does.
  int Find(int start, const std::u16string& text, bool exact) const;

  // The item messages the list box and the combo box answer alike, with the messages' own
  // arguments and results (LB_ERR equals CB_ERR, LB_OKAY equals CB_OKAY).
  LRESULT CopyText(int index, LPARAM buffer) const;  // LB_GETTEXT, CB_GETLBTEXT
  LRESULT TextLength(int index) const;               // LB_GETTEXTLEN, CB_GETLBTEXTLEN
  LRESULT DataOf(int index) const;                   // LB_GETITEMDATA, CB_GETITEMDATA
  LRESULT SetDataOf(int index, LPARAM data);         // LB_SETITEMDATA, CB_SETITEMDATA: TRUE, or LB_ERR
  // LB_SELECTSTRING, CB_SELECTSTRING: selects the item Find gives; its index, or LB_ERR.
  int SelectString(int start, const std::u16string& text);

  int Selection() const { return selection_; }
  // Selects `index`; -1, or an index past the end, clears the selection.
  void Select(int index) { selection_ = Has(index) ? index : -1; }

  // The selection of each item, for a list of several selected items.
  bool IsSelected(int index) const { return Has(index) && items_[static_cast<std::size_t>(index)].selected; }
  void SetSelected(int index, bool selected) { items_[static_cast<std::size_t>(index)].selected = selected; }
  int SelectedCount() const;

  int Caret() const { return caret_; }
  void SetCaret(int index) { caret_ = index; }
  int Anchor() const { return anchor_; }
  void SetAnchor(int index) { anchor_ = index; }

 private:
  struct Item {
    std::u16string text;
    LRESULT data = 0;
    bool selected = false;
  };
  // Keeps the selection, caret and anchor on their items when one is inserted at `index`.
  void Inserted(int index);
  std::vector<Item> items_;
  int selection_ = -1;
  int caret_ = 0;
  int anchor_ = -1;
};

}  // namespace handset::controls
