#include "mainwindow/KxHistory.h"

#include <algorithm>

#include "mainwindow/CharCase.h"
#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace tvn {

std::u16string THistoryList::Strings(int i) const {
  if (i < 0 || i >= Count()) return u"";
  return FItems[static_cast<size_t>(i)];
}

void THistoryList::SetMaxLen(int AMaxLen) {
  if (AMaxLen <= 0) return;
  FMaxLen = AMaxLen;
  ApplyMaxLen();
}

void THistoryList::ApplyMaxLen() {
  if (FItems.size() > static_cast<size_t>(FMaxLen)) FItems.resize(static_cast<size_t>(FMaxLen));
}

void THistoryList::AddString(std::u16string_view AString, bool GrossS) {
  std::u16string text = Trim(AString);
  if (text.empty()) return;
  const std::u16string folded = GrossS ? platform::LowerCaseLocale(text) : std::u16string();
  auto same = [&](const std::u16string& item) {
    return GrossS ? platform::LowerCaseLocale(item) == folded : item == text;
  };
  auto found = std::find_if(FItems.begin(), FItems.end(), same);
  if (found != FItems.end()) FItems.erase(found);
  FItems.insert(FItems.begin(), std::move(text));
  ApplyMaxLen();
}

void THistoryList::RemoveIgnoringCase(std::u16string_view AString) {
  std::erase_if(FItems,
                [&](const std::u16string& item) { return EqualIgnoringCharCase(item, AString); });
}

void THistoryList::LoadFromStrings(const std::vector<std::u16string>& values) {
  Clear();
  for (int n = FMaxLen; n >= 1; --n) {
    const size_t i = static_cast<size_t>(n - 1);
    if (i < values.size() && !values[i].empty()) AddString(values[i], false);
  }
}

std::u16string THistoryList::KeyName(int n) {
  return u"History" + IntToText(n);
}

std::u16string THistoryMenuList::GetItemText(int i) const {
  std::u16string text = Strings(i);
  if (text.empty()) return text;
  if (!ShowFullPath) {
    std::u16string name = platform::ExtractFileName(text);
    if (!name.empty()) text = std::move(name);
  }
  if (!EscapeAmpersand) return text;
  std::u16string escaped;
  for (char16_t c : text) {
    escaped += c;
    if (c == u'&') escaped += u'&';
  }
  return escaped;
}

std::u16string THistoryMenuList::GetMenuCaption(int Index) const {
  if (Index < 0 || Index >= Count()) return u"";
  return u"&" + IntToText(Index + 1) + u" " + GetItemText(Index);
}

}  // namespace tvn
