#include "winui/ScriptedPrompt.h"

#include <gtest/gtest.h>

#include "platform/Utf16.h"

namespace winui {

namespace {

const char* TypeName(TPromptType type) {
  switch (type) {
    case TPromptType::Message: return "Meldung";
    case TPromptType::OpenFile: return "Öffnen-Dialog";
    case TPromptType::SaveFile: return "Speichern-Dialog";
    case TPromptType::Print: return "Druckdialog";
    case TPromptType::ShellOpen: return "Shell-Öffnen";
  }
  return "?";
}

bool IsFileType(TPromptType type) {
  return type == TPromptType::OpenFile || type == TPromptType::SaveFile;
}

bool HasExtension(const std::u16string& path) {
  const size_t slash = path.find_last_of(u"\\/");
  const size_t dot = path.find_last_of(u'.');
  return dot != std::u16string::npos && (slash == std::u16string::npos || dot > slash);
}

}  // namespace

TScriptedPrompt::TScriptedPrompt() : FPrevious(&Prompt()) {
  if (FPrevious == &NativePrompt()) FPrevious = nullptr;
  SetPrompt(this);
}

TScriptedPrompt::~TScriptedPrompt() {
  SetPrompt(FPrevious);
  for (const TAnswer& answer : FAnswers) {
    Fail(std::string("Vorbereitete Antwort nicht abgefragt: ") + TypeName(answer.Type));
  }
}

void TScriptedPrompt::Fail(const std::string& text) {
  FErrors.push_back(text);
  ADD_FAILURE() << text;
}

const TPromptRecord& TScriptedPrompt::Last() const {
  static const TPromptRecord none;
  return FRecords.empty() ? none : FRecords.back();
}

void TScriptedPrompt::AnswerMessage(TModalResult result) {
  AnswerMessage([result](const TMessageRequest&) { return result; });
}

void TScriptedPrompt::AnswerMessage(std::function<TModalResult(const TMessageRequest&)> answer) {
  TAnswer a;
  a.Message = std::move(answer);
  Queue(std::move(a));
}

void TScriptedPrompt::AnswerFile(std::u16string fileName, int filterIndex) {
  TAnswer a{TPromptType::OpenFile, true};
  a.FileName = std::move(fileName);
  a.FilterIndex = filterIndex;
  Queue(std::move(a));
}

void TScriptedPrompt::CancelFile() { Queue(TAnswer{TPromptType::OpenFile, false}); }

void TScriptedPrompt::AnswerPrint(HDC printerDC) {
  TAnswer a{TPromptType::Print, true};
  a.DC = printerDC;
  Queue(std::move(a));
}

void TScriptedPrompt::CancelPrint() { Queue(TAnswer{TPromptType::Print, false}); }

void TScriptedPrompt::AnswerShellOpen(bool success) {
  Queue(TAnswer{TPromptType::ShellOpen, success});
}

void TScriptedPrompt::Queue(TAnswer answer) { FAnswers.push_back(std::move(answer)); }

bool TScriptedPrompt::Next(TPromptType type, const std::string& what, TAnswer& answer) {
  const bool matches =
      !FAnswers.empty() && (FAnswers.front().Type == type ||
                            (IsFileType(type) && IsFileType(FAnswers.front().Type)));
  if (!matches) {
    Fail(std::string("Unerwartete Nachfrage (") + TypeName(type) + "): " + what);
    return false;
  }
  answer = std::move(FAnswers.front());
  FAnswers.pop_front();
  return true;
}

TPromptRecord& TScriptedPrompt::Record(TPromptType type) {
  TPromptRecord record;
  record.Type = type;
  record.ModalLevel = ModalLevel();
  FRecords.push_back(std::move(record));
  return FRecords.back();
}

TModalResult TScriptedPrompt::ShowMessageBox(const TMessageRequest& request) {
  Record(TPromptType::Message).Message = request;
  TAnswer answer;
  if (!Next(TPromptType::Message, tvn::ToUtf8(request.Text), answer)) return mrCancel;
  return answer.Message(request);
}

bool TScriptedPrompt::FileDialog(TFileDialog& dialog) {
  const TPromptType type = dialog.Save ? TPromptType::SaveFile : TPromptType::OpenFile;
  TPromptRecord& record = Record(type);
  record.File = dialog;
  record.File.OnTypeChange = nullptr;
  TAnswer answer;
  if (!Next(type, tvn::ToUtf8(dialog.Title), answer) || !answer.Accept) return false;
  if (answer.FilterIndex > 0 && answer.FilterIndex != dialog.FilterIndex) {
    dialog.FilterIndex = answer.FilterIndex;
    if (dialog.OnTypeChange) dialog.OnTypeChange(dialog);
  }
  dialog.FileName = answer.FileName;
  if (!dialog.DefaultExt.empty() && !HasExtension(dialog.FileName)) {
    dialog.FileName += u"." + dialog.DefaultExt;
  }
  return true;
}

bool TScriptedPrompt::PrintDialog(HDC& printerDC) {
  Record(TPromptType::Print);
  TAnswer answer;
  printerDC = nullptr;
  if (!Next(TPromptType::Print, "", answer) || !answer.Accept) return false;
  printerDC = answer.DC;
  return true;
}

bool TScriptedPrompt::ShellOpen(const TShellRequest& request) {
  Record(TPromptType::ShellOpen).Shell = request;
  TAnswer answer;
  if (!Next(TPromptType::ShellOpen, tvn::ToUtf8(request.File), answer)) return false;
  return answer.Accept;
}

}  // namespace winui
