// The run of the first instance: the main window, the watch thread on the command key and
// the message loop, on the calling thread, which becomes the user-interface thread.
#pragma once

#include <string>
#include <vector>

namespace tvn {

// Returns once the main window has closed and everything it made is gone. Throws when the
// main window cannot be created.
void RunFirstInstance(const std::vector<std::u16string>& arguments);

}  // namespace tvn
