// Finding the running instance's window by its caption.
#include <gtest/gtest.h>

#include "platform/Utf16.h"
#include "startup/ProgramWindow.h"
#include "startup/tests/StartupTestSupport.h"

namespace tvn {
namespace {

TEST(ProgramWindow, TheRunningInstanceIsFoundWhateverTheLengthOfItsFileName) {
  // A caption of this test only, so that no other window can match.
  const std::u16string program = u"Tavorin-Test " + IntToText(GetCurrentProcessId());
  for (const size_t nameLength : {size_t{8}, size_t{245}, size_t{300}, size_t{5000}}) {
    SCOPED_TRACE(nameLength);
    const std::u16string caption = std::u16string(nameLength, u'a') + u".tvd - " + program;
    test::TPlainWindow window(caption);
    ASSERT_NE(window.Handle(), nullptr);
    EXPECT_EQ(ReadWindowCaption(window.Handle()), caption);
    EXPECT_EQ(FindProgramWindow(program), window.Handle());

    // The ending counts, not any text early in the caption.
    SetWindowTextW(window.Handle(), reinterpret_cast<const wchar_t*>(
                                        (program + std::u16string(nameLength, u'a')).c_str()));
    EXPECT_EQ(FindProgramWindow(program), nullptr);
  }
}

}  // namespace
}  // namespace tvn
