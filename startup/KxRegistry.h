// The command channel between program instances, the parts that need no registry: the
// record of the three commands, how parameters are joined and split, and which command a
// poll hands on. Reading and writing the key itself is Windows code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tvn {

// Key directly below HKEY_CURRENT_USER, and its three string values.
inline constexpr std::u16string_view kCommandKeyName = u"Tavorin";
inline constexpr std::u16string_view kValueParameters = u"ProgramParameters";
inline constexpr std::u16string_view kValueSetFocus = u"ProgramSetFocus";
inline constexpr std::u16string_view kValueClose = u"ProgramClose";

// The three commands; an empty text means "not set".
struct TRegistrySettings {
  std::u16string Parameters;
  std::u16string SetFocus;
  std::u16string Close;

  void SetData(std::u16string_view AParameters, std::u16string_view ASetFocus,
               std::u16string_view AClose);
  bool Empty() const { return Parameters.empty() && SetFocus.empty() && Close.empty(); }
  bool operator==(const TRegistrySettings&) const = default;
};

// The given text, or when it is empty the program's own arguments, each trimmed, the
// non-empty ones joined by "|".
std::u16string JoinParameters(std::u16string_view text,
                              const std::vector<std::u16string>& programArguments);
// The non-empty runs between "|" characters, untrimmed; an empty text stands for the
// program's own arguments as JoinParameters gives them.
std::vector<std::u16string> SplitParameters(std::u16string_view text,
                                            const std::vector<std::u16string>& programArguments);

// Builders that set exactly one field; an empty set-focus or close text becomes "1".
TRegistrySettings rsParameters(std::u16string_view AParameters,
                               const std::vector<std::u16string>& programArguments);
TRegistrySettings rsSetFocus(std::u16string_view ASetFocus = {});
TRegistrySettings rsClose(std::u16string_view AClose = {});

// Key name as used below HKEY_CURRENT_USER: one leading backslash removed.
std::u16string CommandKeyPath(std::u16string_view keyName);

enum class TRegistryCommand { None, Parameters, SetFocus, Close };
// The one command a poll runs: the first set field in the order Parameters, SetFocus, Close.
TRegistryCommand FirstCommand(const TRegistrySettings& settings);
// The record the watch thread queues: only that first command, the others dropped.
TRegistrySettings FirstCommandOnly(const TRegistrySettings& settings);

}  // namespace tvn
