#include "startup/Handover.h"

#include "platform/Platform.h"
#include "platform/Utf16.h"

namespace tvn {

bool CanAcceptParameter(const TParameterState& s, bool RequireActive) {
  if (s.IsClosing || !s.FStarted || s.FLoading || s.FParameterBusy || s.FModalLevel != 0) {
    return false;
  }
  if (!s.Enabled || !s.WindowEnabled) return false;
  if (s.ActiveForm == TFormRef::Other || s.FocusedForm == TFormRef::Other) return false;
  if (RequireActive) {
    return s.ActiveForm == TFormRef::Main && s.FocusedForm == TFormRef::Main && s.Visible;
  }
  return true;
}

std::optional<std::u16string> StartupArgument(const std::vector<std::u16string>& arguments) {
  if (arguments.empty() || Trim(arguments.front()).empty()) return std::nullopt;
  return arguments.front();
}

std::u16string ParameterFileName(std::u16string_view name) {
  std::u16string cleaned = Trim(name);
  if (cleaned.size() >= 2 && cleaned.front() == u'"' && cleaned.back() == u'"') {
    cleaned = cleaned.substr(1, cleaned.size() - 2);
  }
  return cleaned;
}

std::u16string ExtractFileExt(const std::u16string& path) {
  const std::u16string name = platform::ExtractFileName(path);
  const size_t dot = name.rfind(u'.');
  return dot == std::u16string::npos ? std::u16string() : name.substr(dot);
}

bool IsAudiobookFileName(const std::u16string& path) {
  std::u16string ext = ExtractFileExt(path);
  for (char16_t& c : ext) c = platform::LowerCaseChar(c);
  return ext == u".tvd" || ext == u".tvi";
}

TParameterFile CheckParameterFile(std::u16string_view name) {
  TParameterFile file;
  file.FullPath = platform::AbsolutePath(ParameterFileName(name));
  if (!IsAudiobookFileName(file.FullPath)) {
    file.Check = TParameterCheck::WrongExtension;
  } else if (!platform::FileExists(file.FullPath)) {
    file.Check = TParameterCheck::FileMissing;
  } else {
    file.Check = TParameterCheck::Open;
  }
  return file;
}

bool IsProgramWindowCaption(std::u16string_view windowCaption, std::u16string_view programCaption) {
  return !windowCaption.empty() && windowCaption.ends_with(programCaption);
}

}  // namespace tvn
