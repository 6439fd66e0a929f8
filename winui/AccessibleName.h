// The name screen readers read for a window through Microsoft Active Accessibility (UI
// Automation reads a window that answers with an object of its own through that object). Windows finds a name only for some
// controls (an edit takes the label before it, a button its caption); a list view or a
// status bar has none. A control with an accessible name (TControl::SetAccessibleName)
// answers the request for its client object with the object Windows would give, wrapped so
// that it reports that name; everything else (role, state, children, the window) stays as
// Windows reports it. Works across processes, as screen readers ask.
//
// Not for controls that make accessible objects of their own (RichEdit): the wrapper
// replaces theirs by the standard one.
#pragma once

#include <windows.h>

#include <string>

namespace winui {

// The answer to WM_GETOBJECT when it asks for the client object: true with result set.
// False for any other object, or when the object cannot be made (COM not initialised);
// the window then answers as it would without a name.
bool AnswerAccessibleName(HWND window, WPARAM wParam, LPARAM lParam, const std::u16string& name,
                          LRESULT& result);

// Tells screen readers that the window's name changed.
void NotifyAccessibleNameChange(HWND window);

}  // namespace winui
