// A stand-alone whole-file reader that goes straight to the disk (not through the archives).
#pragma once

// The file's bytes in a block from malloc, which the caller frees; when the file starts with the
// four bytes 'p', 'i', 'h', 's' they are left out. Failures show a message box captioned "Could not
// open file", "file is 0 byte", "Out of memory" or "Out of data to read" with the path as text, and
// give null. Files of more than kWholeFileLimit bytes are refused as out of memory.
void* ReadWholeFile(const char* path);

constexpr long kWholeFileLimit = 1L << 30;
