// Saving from the details viewer: the save dialog as it is set up, the default extension
// that follows the chosen filter, the bytes each filter writes (the RTF document read back
// by a rich-text control), and the reports of a failed save.
#include <gtest/gtest.h>
#include <richedit.h>
#include <windows.h>

#include <string>
#include <vector>

#include "data/tests/TestData.h"
#include "dialogs/ReAnsichtRegeln.h"
#include "dialogs/tests/ReAnsichtTestSupport.h"
#include "platform/Utf16.h"
#include "winui/Controls.h"
#include "winui/Win32Util.h"

namespace tvn::test {
namespace {

using winui::ssCtrl;

bool FileExists(const std::u16string& path) {
  return GetFileAttributesW(winui::W(path)) != INVALID_FILE_ATTRIBUTES;
}

// What a rich-text control makes of an RTF document: its text and the font of it.
struct TRtfRead {
  std::u16string Text;
  CHARFORMAT2W Format{};
};

DWORD CALLBACK ReadFromString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto* rest = reinterpret_cast<std::string_view*>(cookie);
  const size_t n = std::min(rest->size(), static_cast<size_t>(size));
  std::copy_n(rest->data(), n, buffer);
  rest->remove_prefix(n);
  *done = static_cast<LONG>(n);
  return 0;
}

TRtfRead ReadRtf(const std::string& document) {
  TRtfRead read;
  winui::TRichEdit::LoadLibraryOnce();
  HWND rich = CreateWindowExW(0, MSFTEDIT_CLASS, L"", ES_MULTILINE, 0, 0, 400, 300, nullptr,
                              nullptr, nullptr, nullptr);
  if (!rich) return read;
  std::string_view rest = document;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rest), 0, ReadFromString};
  SendMessageW(rich, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  wchar_t text[1024] = {};
  GETTEXTEX get{sizeof(text), GT_USECRLF, 1200, nullptr, nullptr};
  const LRESULT n = SendMessageW(rich, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                 reinterpret_cast<LPARAM>(text));
  read.Text = winui::U16(text, static_cast<size_t>(n > 0 ? n : 0));
  SendMessageW(rich, EM_SETSEL, 0, 1);
  read.Format.cbSize = sizeof(read.Format);
  SendMessageW(rich, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&read.Format));
  DestroyWindow(rich);
  return read;
}

// The lines that hold something, form feeds left out: rich-text controls read a page break
// differently (Wine's makes it an empty line), and the last line break of a document becomes
// its end.
std::vector<std::u16string> FilledLines(const std::u16string& text) {
  std::vector<std::u16string> lines;
  const std::u16string rest = OhneSeitenumbrueche(text);
  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = rest.find(u"\r\n", start);
    if (end == std::u16string::npos) end = rest.size();
    if (end > start) lines.push_back(rest.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class ReAnsichtSaveTest : public ReAnsichtTest {
 protected:
  TempDir dir;
};

// "Hör", a line break, a page break, a letter outside code page 1252 and the euro sign.
const std::u16string kText = u"Hör\r\n\fŁ€\r\n";

TEST_F(ReAnsichtSaveTest, EachFilterWritesItsFormatUnderItsExtension) {
  ASSERT_EQ(GetACP(), 1252u) << "the ANSI bytes below are those of code page 1252";
  winui::AktFont = winui::TFont{u"Courier New", 20, 0x0000C0, true};
  struct Case {
    const char16_t* name;  // typed without extension
    int filter;            // 0: the one the dialog shows
    const char16_t* file;
    std::string bytes;  // empty: RTF, checked by reading it back
  };
  const Case cases[] = {
      {u"eins", 0, u"eins.RTF", {}},
      {u"zwei", 2, u"zwei.TXT", "H\xF6r\r\n\f?\x80\r\n"},
      {u"drei", 3, u"drei.TXT", "H\xC3\xB6r\r\n\f\xC5\x81\xE2\x82\xAC\r\n"},
      {u"vier", 4, u"vier.TXT",
       std::string("\xFF\xFEH\0\xF6\0r\0\r\0\n\0\f\0\x41\x01\xAC\x20\r\0\n\0", 22)},
      {u"fuenf", 1, u"fuenf.RTF", {}},  // back to RTF: its extension again
  };
  for (const Case& c : cases) prompt.AnswerFile(dir.File(c.name), c.filter);
  bool focusBack = true;
  Run(u"Details", kText, [&] {
    for (const Case& c : cases) {
      Key('U', ssCtrl);
      if (!Step([&] { return FileExists(dir.File(c.file)); }, "saved")) break;
      focusBack = focusBack && WaitForFocus(form.RichEdit1, "focus back in the text field");
    }
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_TRUE(focusBack);

  const std::vector<winui::TPromptRecord> dialogs = Records(winui::TPromptType::SaveFile);
  ASSERT_EQ(dialogs.size(), std::size(cases));
  const winui::TFileDialog& first = dialogs[0].File;
  EXPECT_TRUE(first.Save);
  EXPECT_EQ(first.Filter,
            u"Rich Text Format (*.RTF)|*.RTF|Textdokument (*.TXT)|*.TXT|UTF-8-Textdokument "
            u"(*.TXT)|*.TXT|Unicode-Textdokument (*.TXT)|*.TXT|");
  EXPECT_TRUE(first.Title.empty());
  EXPECT_TRUE(first.InitialDir.empty());
  EXPECT_TRUE(first.OverwritePrompt);
  EXPECT_TRUE(first.NoReadOnlyReturn);
  EXPECT_TRUE(first.PathMustExist);
  EXPECT_TRUE(first.EnableSizing);
  // Each dialog opens with the filter chosen last and its extension.
  const std::pair<int, std::u16string> opened[] = {
      {1, u"RTF"}, {1, u"RTF"}, {2, u"TXT"}, {3, u"TXT"}, {4, u"TXT"}};
  for (size_t i = 0; i < dialogs.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(dialogs[i].File.FilterIndex, opened[i].first);
    EXPECT_EQ(dialogs[i].File.DefaultExt, opened[i].second);
  }

  EXPECT_EQ(dir.Files().size(), std::size(cases));
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.file));
    const std::string bytes = ReadBytes(dir.File(c.file));
    if (!c.bytes.empty()) {
      EXPECT_EQ(bytes, c.bytes);
      continue;
    }
    EXPECT_EQ(bytes.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(bytes.find("\\page"), std::string::npos);
    const TRtfRead read = ReadRtf(bytes);
    EXPECT_EQ(FilledLines(read.Text), FilledLines(kText));
    EXPECT_STREQ(read.Format.szFaceName, L"Courier New");
    EXPECT_EQ(read.Format.yHeight, 20 * 20);
    EXPECT_TRUE(read.Format.dwEffects & CFE_BOLD);
    EXPECT_EQ(read.Format.crTextColor, 0x0000C0u);
  }
}

TEST_F(ReAnsichtSaveTest, AFailedOrCancelledSaveKeepsTheDialogTextAndFocus) {
  prompt.CancelFile();
  prompt.AnswerFile(dir.File(u"fehlt/details"), 3);  // a folder that does not exist
  AnswerMessage(winui::mrOk);
  bool cancelFocus = false, failFocus = false, open = false;
  std::u16string textAfter;
  Run(u"Details", kText, [&] {
    Key(VK_TAB);
    Key(VK_TAB);
    if (!WaitForFocus(form.Button2, "Tab to Speichern")) return;
    Key(VK_SPACE);
    Sleep(300);
    cancelFocus = WaitForFocus(form.Button2, "focus back after cancelling");
    Key(VK_SPACE);
    WaitForMessages(1, "error shown");
    failFocus = WaitForFocus(form.Button2, "focus back after the error");
    open = DialogOpen();
    textAfter = FieldText();
    Key(VK_ESCAPE);
  });
  ExpectNoErrors();
  EXPECT_TRUE(cancelFocus);
  EXPECT_TRUE(failFocus);
  EXPECT_TRUE(open);
  EXPECT_EQ(textAfter, kText);
  EXPECT_TRUE(dir.Files().empty());
  const std::vector<winui::TPromptRecord> messages = Records(winui::TPromptType::Message);
  ASSERT_EQ(messages.size(), 1u);
  const std::u16string prefix = u"Der Text konnte nicht gespeichert werden.\r\n";
  EXPECT_EQ(messages[0].Message.Text.substr(0, prefix.size()), prefix);
  EXPECT_GT(messages[0].Message.Text.size(), prefix.size()) << "the reason is missing";
  EXPECT_EQ(messages[0].Message.Kind, winui::TMsgKind::Error);
  EXPECT_EQ(messages[0].Message.Buttons, winui::mbOK);
}

}  // namespace
}  // namespace tvn::test
