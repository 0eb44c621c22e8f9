// Process facts that tests replace: the module path and the program that opens documents.
#pragma once

namespace platform {

// Path that GetModuleFileNameA answers with (Linux form); null returns to the real executable.
void SetModulePathOverride(const char* path);
// Program that ShellExecuteA "open" runs with the document as its only argument; null returns to
// the desktop's opener.
void SetShellOpener(const char* program);

}  // namespace platform
