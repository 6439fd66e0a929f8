// The recent-files list: newest first, never longer than MaxLen, a re-added name moves to
// the front. THistoryMenuList adds the captions of the file menu's items.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tvn {

class THistoryList {
 public:
  virtual ~THistoryList() = default;

  int Count() const { return static_cast<int>(FItems.size()); }
  // Entry i, 0 = newest; empty outside the list.
  std::u16string Strings(int i) const;
  const std::vector<std::u16string>& Items() const { return FItems; }
  void Clear() { FItems.clear(); }

  int MaxLen() const { return FMaxLen; }
  // Values of 0 or less are ignored; a smaller limit drops the oldest entries.
  void SetMaxLen(int AMaxLen);

  // Puts the trimmed text at the front, removing the first equal entry first; GrossS
  // compares without regard to case (by the user's locale).
  void AddString(std::u16string_view AString, bool GrossS);
  // Removes every entry equal to AString, each character lowered by itself: a file that
  // failed to open goes in every spelling of its name.
  void RemoveIgnoringCase(std::u16string_view AString);

  // Storage as the values of the keys History1 ... History<MaxLen> (index 0 = History1;
  // an empty or missing value means no entry). Loading reads from the last key to the
  // first, so History1 ends at the front and exact duplicates collapse into one.
  void LoadFromStrings(const std::vector<std::u16string>& values);
  std::vector<std::u16string> SaveToStrings() const { return FItems; }
  // "History" + n, n counted from 1.
  static std::u16string KeyName(int n);

 private:
  void ApplyMaxLen();

  std::vector<std::u16string> FItems;
  int FMaxLen = 5;
};

class THistoryMenuList : public THistoryList {
 public:
  // Whole entry in the caption, or only its file-name part.
  bool ShowFullPath = true;
  // Doubles every "&" so that it is shown and not taken as an accelerator.
  bool EscapeAmpersand = false;

  // Caption text of entry i; empty outside the list.
  std::u16string GetItemText(int i) const;
  // Menu caption "&<i+1> <text>" of entry i, its digit being the accelerator; empty outside
  // the list (the menu item is then created without a caption).
  std::u16string GetMenuCaption(int Index) const;
};

}  // namespace tvn
