// How the running instance takes a handed-over file: when it is ready to, how the name is
// cleaned and checked, and how a second start recognises the running main window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tvn {

// Private messages of the main window (WM_APP + 0x70, WM_USER + 200, WM_USER + 100).
inline constexpr unsigned kWmOpenParameter = 0x8070;
inline constexpr unsigned kWmProgramSetFocus = 0x04C8;
inline constexpr unsigned kWmProgramClose = 0x0464;

enum class TFormRef { None, Main, Other };

// What CanAcceptParameter looks at, gathered by the main window.
struct TParameterState {
  bool IsClosing = false;
  bool FStarted = false;
  bool FLoading = false;
  bool FParameterBusy = false;
  unsigned FModalLevel = 0;
  bool Enabled = true;        // the main window as a control
  bool WindowEnabled = true;  // the main window as a system window
  TFormRef ActiveForm = TFormRef::None;
  TFormRef FocusedForm = TFormRef::None;
  bool Visible = true;
};

// Whether the main window may take a handed-over file now: started, idle, no modal window,
// no other form in front; with RequireActive it must also be the active, focused, visible
// form.
bool CanAcceptParameter(const TParameterState& state, bool RequireActive);

// The first argument, untrimmed, when there is one that is not blank (the start-up file).
std::optional<std::u16string> StartupArgument(const std::vector<std::u16string>& arguments);

// The name trimmed, and one pair of enclosing double quotes removed.
std::u16string ParameterFileName(std::u16string_view name);
// Extension with its dot, from the last "." of the file-name part; empty when none.
std::u16string ExtractFileExt(const std::u16string& path);
// ".tvd" or ".tvi" in any case.
bool IsAudiobookFileName(const std::u16string& path);

inline constexpr std::u16string_view kFalscheEndungText =
    u"Als Dateiparameter wird eine TVD- oder TVI-Datei erwartet.";

enum class TParameterCheck { WrongExtension, FileMissing, Open };
struct TParameterFile {
  TParameterCheck Check = TParameterCheck::WrongExtension;
  std::u16string FullPath;
};
// The checks before a handed-over file is opened: cleaned, expanded to a full path, an
// audiobook extension, an existing file.
TParameterFile CheckParameterFile(std::u16string_view name);

// Whether a top-level window caption marks the running instance: the whole caption,
// however long the file name in it, ends with the program caption.
bool IsProgramWindowCaption(std::u16string_view windowCaption, std::u16string_view programCaption);

}  // namespace tvn
