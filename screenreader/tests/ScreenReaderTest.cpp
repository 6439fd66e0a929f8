#include <gtest/gtest.h>

#include <thread>

#include "screenreader/ScreenReaderOutput.h"
#include "screenreader/tests/ReaderDoubles.h"

namespace tvn {
namespace {

using testing::TFakeJaws;
using testing::TFakeNvda;
using testing::TJawsAnswer;
using testing::TReaderCall;
using testing::TReaderLock;
using Calls = std::vector<TReaderCall>;

TReaderCall SayString(const std::u16string& text, VARIANT_BOOL flush) {
  return {"SayString", text, flush};
}
TReaderCall RunFunction(const std::u16string& call) {
  return {"RunFunction", call, 0};
}
TReaderCall Nvda(const char* function, const std::u16string& text = u"") {
  return {function, text, 0};
}

class ScreenReaderTest : public ::testing::Test {
 protected:
  TReaderLock Lock;
  TFakeNvda FakeNvda;
  TFakeJaws FakeJaws;
  TScreenReaderOutput Out;  // destroyed first, while the doubles still stand
};

TEST_F(ScreenReaderTest, NoReaderRunningCallsNothingAndGivesFalse) {
  Out.Load();
  EXPECT_EQ(Out.DetectScreenReader(), u"");
  EXPECT_FALSE(Out.Output(u"Autor:", false));
  EXPECT_FALSE(Out.Speak(u"Autor:", true));
  EXPECT_FALSE(Out.Braille(u"Autor:"));
  EXPECT_FALSE(Out.Silence());
  EXPECT_FALSE(Out.Stop());
  EXPECT_FALSE(Out.IsSpeaking());
  EXPECT_FALSE(Out.HasSpeech());
  EXPECT_FALSE(Out.HasBraille());
  EXPECT_EQ(FakeNvda.Calls(), Calls{});
  EXPECT_EQ(FakeNvda.PresenceChecks(), 0) << "without NVDA's window the client is not asked";
  EXPECT_EQ(FakeJaws.Calls(), Calls{});
}

TEST_F(ScreenReaderTest, NvdaSpeaksAndBraillesALabelOnceAndUnchanged) {
  FakeNvda.Start();
  Out.Load();
  const std::u16string label = u"Hörbuchliste: \"Krimi\"";
  EXPECT_TRUE(Out.Output(label, false));
  EXPECT_EQ(FakeNvda.Calls(), (Calls{Nvda("speakText", label), Nvda("brailleMessage", label)}));
  EXPECT_EQ(Out.DetectScreenReader(), u"NVDA");
  EXPECT_TRUE(Out.HasSpeech());
  EXPECT_TRUE(Out.HasBraille());
  EXPECT_FALSE(Out.IsSpeaking());
  EXPECT_EQ(FakeJaws.Calls(), Calls{});
}

TEST_F(ScreenReaderTest, BothReadersRunningOutputGoesToJawsOnly) {
  FakeNvda.Start();
  FakeJaws.Start();
  Out.Load();
  EXPECT_TRUE(Out.Output(u"Autor:", false));
  EXPECT_EQ(FakeJaws.Calls(), (Calls{SayString(u"Autor:", VARIANT_FALSE),
                                     RunFunction(u"BrailleString(\"Autor:\")")}));
  EXPECT_EQ(Out.DetectScreenReader(), u"JAWS");
  EXPECT_EQ(FakeNvda.Calls(), Calls{});
  EXPECT_EQ(FakeNvda.PresenceChecks(), 0);
}

TEST_F(ScreenReaderTest, JawsBraillesQuotesAsApostrophesAndSpeaksThemUnchanged) {
  FakeJaws.Start();
  Out.Load();
  EXPECT_TRUE(Out.Output(u"Titel: \"Faust\" – 'Teil 1'", true));
  EXPECT_EQ(FakeJaws.Calls(),
            (Calls{SayString(u"Titel: \"Faust\" – 'Teil 1'", VARIANT_TRUE),
                   RunFunction(u"BrailleString(\"Titel: 'Faust' – 'Teil 1'\")")}));
}

TEST_F(ScreenReaderTest, ReaderStartedOrStoppedIsFollowedFromTheNextLabel) {
  FakeJaws.Start();
  FakeNvda.Start();
  Out.Load();
  EXPECT_TRUE(Out.Output(u"A", false));
  EXPECT_EQ(FakeJaws.LiveObjects(), 1);

  FakeJaws.Stop();
  EXPECT_TRUE(Out.Output(u"B", false));
  EXPECT_EQ(FakeJaws.LiveObjects(), 0) << "the object is dropped while JAWS is gone";
  EXPECT_EQ(FakeNvda.Texts("speakText"), std::vector<std::u16string>{u"B"});

  FakeJaws.Start();
  EXPECT_TRUE(Out.Output(u"C", false));
  EXPECT_EQ(FakeJaws.LiveObjects(), 1) << "a restarted JAWS gets a new object";
  EXPECT_EQ(FakeJaws.Calls(),
            (Calls{SayString(u"A", VARIANT_FALSE), RunFunction(u"BrailleString(\"A\")"),
                   SayString(u"C", VARIANT_FALSE), RunFunction(u"BrailleString(\"C\")")}));
  EXPECT_EQ(FakeNvda.Texts("speakText"), std::vector<std::u16string>{u"B"});
}

TEST_F(ScreenReaderTest, JawsObjectMadeWhileJawsIsNotRunningIsReleasedAtFirstDetection) {
  Out.Load();
  EXPECT_EQ(FakeJaws.LiveObjects(), 1) << "construction makes the object without a window";
  EXPECT_EQ(Out.DetectScreenReader(), u"");
  EXPECT_EQ(FakeJaws.LiveObjects(), 0);
}

TEST_F(ScreenReaderTest, EmptyTextReachesNoReaderAndIsNotEvenDetected) {
  Out.Load();
  auto expectRefused = [&] {
    EXPECT_FALSE(Out.Output(u"", false));
    EXPECT_FALSE(Out.Speak(u"", true));
    EXPECT_FALSE(Out.Braille(u""));
  };
  FakeNvda.Start();
  expectRefused();
  EXPECT_EQ(FakeNvda.Calls(), Calls{});
  EXPECT_EQ(FakeNvda.PresenceChecks(), 0);

  FakeNvda.Stop();
  FakeJaws.Start();
  expectRefused();
  EXPECT_EQ(FakeJaws.Calls(), Calls{});
}

TEST_F(ScreenReaderTest, NvdaInterruptCancelsFirstAndAFailingCancelStillBrailles) {
  FakeNvda.Start();
  Out.Load();
  EXPECT_TRUE(Out.Output(u"Suchtext:", true));
  EXPECT_EQ(FakeNvda.Calls(), (Calls{Nvda("cancelSpeech"), Nvda("speakText", u"Suchtext:"),
                                     Nvda("brailleMessage", u"Suchtext:")}));

  FakeNvda.ClearCalls();
  FakeNvda.FailCalls(L"cancelSpeech");
  EXPECT_TRUE(Out.Output(u"Suchtext:", true));
  EXPECT_EQ(FakeNvda.Calls(), (Calls{Nvda("cancelSpeech"), Nvda("brailleMessage", u"Suchtext:")}));
  EXPECT_FALSE(Out.Speak(u"Suchtext:", true));
  EXPECT_FALSE(Out.Silence());
  EXPECT_FALSE(Out.Stop());
  EXPECT_EQ(FakeNvda.Texts("speakText"), std::vector<std::u16string>{})
      << "nothing is spoken over what could not be cancelled";
}

TEST_F(ScreenReaderTest, NvdaOutputIsTrueWhenSpeechOrBrailleArrives) {
  FakeNvda.Start();
  Out.Load();
  const Calls both{Nvda("speakText", u"Quelle:"), Nvda("brailleMessage", u"Quelle:")};
  const struct {
    const wchar_t* failing;
    bool result;
    Calls calls;
  } cases[] = {
      {L"", true, both},
      {L"speakText", true, both},
      {L"brailleMessage", true, both},
      {L"speakText,brailleMessage", false, both},
      {L"testIfRunning", false, {}},  // window there, but NVDA not reachable
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.failing);
    FakeNvda.ClearCalls();
    FakeNvda.FailCalls(c.failing);
    EXPECT_EQ(Out.Output(u"Quelle:", false), c.result);
    EXPECT_EQ(FakeNvda.Calls(), c.calls);
  }
}

TEST_F(ScreenReaderTest, JawsCallSucceedsOnlyWithoutErrorAndWithATrueResult) {
  FakeJaws.Start();
  Out.Load();
  const struct {
    TJawsAnswer answer;
    bool success;
  } cases[] = {
      {{S_OK, VARIANT_TRUE}, true},
      {{S_FALSE, VARIANT_TRUE}, true},
      {{S_OK, VARIANT_FALSE}, false},
      {{E_FAIL, VARIANT_TRUE}, false},
      {{S_OK, 1}, false},  // only VARIANT_TRUE (-1) counts as true
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.answer.Result << "/" << c.answer.Value);
    FakeJaws.Answers().SayString = c.answer;
    FakeJaws.Answers().RunFunction = c.answer;
    EXPECT_EQ(Out.Speak(u"x", false), c.success);
    EXPECT_EQ(Out.Braille(u"x"), c.success);
  }

  FakeJaws.ClearCalls();
  FakeJaws.Answers().SayString = {E_FAIL, VARIANT_FALSE};
  FakeJaws.Answers().RunFunction = {S_OK, VARIANT_TRUE};
  EXPECT_TRUE(Out.Output(u"x", false)) << "braille alone makes the output arrive";
  FakeJaws.Answers().RunFunction = {E_FAIL, VARIANT_FALSE};
  EXPECT_FALSE(Out.Output(u"x", false));
  EXPECT_EQ(FakeJaws.Calls().size(), 4u) << "braille is tried after failed speech";
}

TEST_F(ScreenReaderTest, JawsSilenceFollowsStopSpeech) {
  FakeJaws.Start();
  Out.Load();
  const struct {
    HRESULT answer;
    bool success;
  } cases[] = {{S_OK, true}, {S_FALSE, true}, {E_FAIL, false}};
  for (const auto& c : cases) {
    FakeJaws.ClearCalls();
    FakeJaws.Answers().StopSpeech = c.answer;
    EXPECT_EQ(Out.Silence(), c.success) << c.answer;
    EXPECT_EQ(FakeJaws.Calls(), (Calls{TReaderCall{"StopSpeech", u"", 0}}));
  }
  EXPECT_FALSE(Out.IsSpeaking());
}

TEST_F(ScreenReaderTest, BeforeLoadAndAfterUnloadNoReaderIsTouched) {
  FakeNvda.Start();
  FakeJaws.Start();
  EXPECT_FALSE(Out.IsLoaded());
  EXPECT_FALSE(Out.Output(u"Autor:", false));
  EXPECT_EQ(Out.DetectScreenReader(), u"");
  EXPECT_EQ(FakeJaws.LiveObjects(), 0);

  Out.Load();
  Out.Load();
  EXPECT_TRUE(Out.IsLoaded());
  EXPECT_EQ(FakeJaws.LiveObjects(), 1) << "a second Load makes no second driver";
  EXPECT_TRUE(Out.Output(u"Autor:", false));

  Out.Unload();
  EXPECT_FALSE(Out.IsLoaded());
  EXPECT_EQ(FakeJaws.LiveObjects(), 0);
  FakeJaws.ClearCalls();
  EXPECT_FALSE(Out.Output(u"Autor:", false));
  EXPECT_FALSE(Out.Silence());
  Out.Unload();

  EXPECT_EQ(FakeJaws.Calls(), Calls{});
  EXPECT_EQ(FakeNvda.Calls(), Calls{});
  EXPECT_EQ(FakeNvda.PresenceChecks(), 0);

  Out.Load();
  EXPECT_TRUE(Out.Output(u"Titel:", false)) << "loading again works";
}

TEST_F(ScreenReaderTest, LabelGoesToTheProgramFrontEndWithoutInterrupting) {
  FakeNvda.Start();
  Out.Load();
  EXPECT_FALSE(OutputLabel(u"Autor:")) << "no front end registered yet";
  SetProgramScreenReader(&Out);
  EXPECT_EQ(ProgramScreenReader(), &Out);
  EXPECT_TRUE(OutputLabel(u"Autor:"));
  SetProgramScreenReader(nullptr);
  EXPECT_FALSE(OutputLabel(u"Titel:"));
  EXPECT_EQ(FakeNvda.Calls(),
            (Calls{Nvda("speakText", u"Autor:"), Nvda("brailleMessage", u"Autor:")}));
}

// Whether COM was already initialised on this thread; leaves the count as it was.
bool ComInitialised() {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (hr == S_OK || hr == S_FALSE) CoUninitialize();
  return hr == S_FALSE;
}

TEST(ScreenReaderCom, EveryInitialisationIsBalancedOnItsThread) {
  TReaderLock lock;
  TFakeNvda nvda;  // its own log, so this process leaves nothing behind
  std::thread([] {
    ASSERT_FALSE(ComInitialised());
    {
      TScreenReaderOutput out;
      out.Load();
      out.Unload();
    }
    EXPECT_FALSE(ComInitialised()) << "no JAWS object: front end and driver both balanced";

    {
      TFakeJaws jaws;  // holds an initialisation of its own
      jaws.Start();
      TScreenReaderOutput out;
      out.Load();
      EXPECT_TRUE(out.Output(u"A", false));
      jaws.Stop();
      EXPECT_FALSE(out.Output(u"B", false));  // driver lets go of its COM here
      jaws.Start();
      EXPECT_TRUE(out.Output(u"C", false));  // and takes it again here
      out.Unload();
      EXPECT_TRUE(ComInitialised()) << "no initialisation undone twice";
    }
    EXPECT_FALSE(ComInitialised()) << "no initialisation left over";
  }).join();
}

}  // namespace
}  // namespace tvn
