// The prompt seam for tests: records every request and answers with what the test
// queued, in order. A request without a matching queued answer fails the test
// (ADD_FAILURE) and gets a cancel; answers left over at destruction fail it too.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "winui/Modal.h"
#include "winui/Prompt.h"

namespace winui {

enum class TPromptType { Message, OpenFile, SaveFile, Print, ShellOpen };

struct TPromptRecord {
  TPromptType Type = TPromptType::Message;
  TMessageRequest Message;   // Message
  TFileDialog File;          // OpenFile / SaveFile: as the dialog was set up
  TShellRequest Shell;       // ShellOpen
  unsigned ModalLevel = 0;   // during the request
};

class TScriptedPrompt : public IPrompt {
 public:
  // Installs itself with SetPrompt; the destructor puts the previous one back.
  TScriptedPrompt();
  ~TScriptedPrompt() override;

  void AnswerMessage(TModalResult result);
  void AnswerMessage(std::function<TModalResult(const TMessageRequest&)> answer);
  // A chosen file; filterIndex 0 keeps the dialog's. A changed index runs OnTypeChange
  // first, and a name without extension then gets DefaultExt, as the real dialog does.
  void AnswerFile(std::u16string fileName, int filterIndex = 0);
  void CancelFile();
  void AnswerPrint(HDC printerDC);  // OK with that device context (may be null)
  void CancelPrint();
  void AnswerShellOpen(bool success);
  bool PrinterPresent = false;

  const std::vector<TPromptRecord>& Records() const { return FRecords; }
  const TPromptRecord& Last() const;
  size_t PendingAnswers() const { return FAnswers.size(); }
  // Texts of the failures seen (also reported to GoogleTest).
  const std::vector<std::string>& Errors() const { return FErrors; }

  TModalResult ShowMessageBox(const TMessageRequest& request) override;
  bool FileDialog(TFileDialog& dialog) override;
  bool PrintDialog(HDC& printerDC) override;
  bool PrinterInstalled() override { return PrinterPresent; }
  bool ShellOpen(const TShellRequest& request) override;

 private:
  struct TAnswer {
    TAnswer() = default;
    TAnswer(TPromptType type, bool accept) : Type(type), Accept(accept) {}
    TPromptType Type = TPromptType::Message;
    bool Accept = false;
    std::u16string FileName;
    int FilterIndex = 0;
    HDC DC = nullptr;
    std::function<TModalResult(const TMessageRequest&)> Message;
  };
  void Queue(TAnswer answer);
  TPromptRecord& Record(TPromptType type);
  bool Next(TPromptType type, const std::string& what, TAnswer& answer);
  void Fail(const std::string& text);
  std::deque<TAnswer> FAnswers;
  std::vector<TPromptRecord> FRecords;
  std::vector<std::string> FErrors;
  IPrompt* FPrevious;
};

}  // namespace winui
