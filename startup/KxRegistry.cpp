#include "startup/KxRegistry.h"

#include "platform/Utf16.h"

namespace tvn {

void TRegistrySettings::SetData(std::u16string_view AParameters, std::u16string_view ASetFocus,
                                std::u16string_view AClose) {
  Parameters = AParameters;
  SetFocus = ASetFocus;
  Close = AClose;
}

std::u16string JoinParameters(std::u16string_view text,
                              const std::vector<std::u16string>& programArguments) {
  if (!text.empty()) return std::u16string(text);
  std::u16string joined;
  for (size_t i = 0; i < programArguments.size(); ++i) {
    const std::u16string argument = Trim(programArguments[i]);
    if (argument.empty()) continue;
    joined += argument;
    if (i + 1 < programArguments.size()) joined += u'|';
  }
  return joined;
}

std::vector<std::u16string> SplitParameters(std::u16string_view text,
                                            const std::vector<std::u16string>& programArguments) {
  const std::u16string source = JoinParameters(text, programArguments);
  std::vector<std::u16string> parts;
  size_t start = 0;
  while (start < source.size()) {
    size_t bar = source.find(u'|', start);
    if (bar == std::u16string::npos) bar = source.size();
    if (bar > start) parts.push_back(source.substr(start, bar - start));
    start = bar + 1;
  }
  return parts;
}

TRegistrySettings rsParameters(std::u16string_view AParameters,
                               const std::vector<std::u16string>& programArguments) {
  TRegistrySettings settings;
  settings.Parameters = JoinParameters(AParameters, programArguments);
  return settings;
}

TRegistrySettings rsSetFocus(std::u16string_view ASetFocus) {
  TRegistrySettings settings;
  settings.SetFocus = ASetFocus.empty() ? u"1" : std::u16string(ASetFocus);
  return settings;
}

TRegistrySettings rsClose(std::u16string_view AClose) {
  TRegistrySettings settings;
  settings.Close = AClose.empty() ? u"1" : std::u16string(AClose);
  return settings;
}

std::u16string CommandKeyPath(std::u16string_view keyName) {
  if (!keyName.empty() && keyName.front() == u'\\') keyName.remove_prefix(1);
  return std::u16string(keyName);
}

TRegistryCommand FirstCommand(const TRegistrySettings& settings) {
  if (!settings.Parameters.empty()) return TRegistryCommand::Parameters;
  if (!settings.SetFocus.empty()) return TRegistryCommand::SetFocus;
  if (!settings.Close.empty()) return TRegistryCommand::Close;
  return TRegistryCommand::None;
}

TRegistrySettings FirstCommandOnly(const TRegistrySettings& settings) {
  TRegistrySettings only;
  switch (FirstCommand(settings)) {
    case TRegistryCommand::Parameters:
      only.Parameters = settings.Parameters;
      break;
    case TRegistryCommand::SetFocus:
      only.SetFocus = settings.SetFocus;
      break;
    case TRegistryCommand::Close:
      only.Close = settings.Close;
      break;
    case TRegistryCommand::None:
      break;
  }
  return only;
}

}  // namespace tvn
