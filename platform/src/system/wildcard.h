// Windows wildcard matching of file names.
#pragma once

namespace platform {

// '*' matches any run of characters, '?' any one character; letters match without regard to case.
// As on Windows, "*.*" matches every name, also names without a dot.
bool MatchesWildcard(const char* pattern, const char* name);

}  // namespace platform
