// The keyword search and the number readers of the text mesh formats. A text is length bytes
// (no terminator needed) and every position is a byte offset into it; -1 stands for "not found"
// or "no usable number", and a caller that needs the value fails on it.
#pragma once

#include <string_view>

// The first position p >= start where the keyword lies whole before the text's last byte
// (p <= length - n - 1 for a keyword of n bytes); -1 when there is none. A text exactly as long
// as the keyword shows "Missing chunk" with the keyword.
int FindKeyword(std::string_view keyword, const char* text, int length, int start);

// The first integer after the keyword (atoi of the first '-' or digit onward, at most 259
// characters): 0 when the keyword is missing, -1 when no number follows or it does not fit.
int FindKeywordInt(const char* keyword, const char* text, int start, int length);

// From pos, the next number made of '.', '-' and digits (no '+', no exponent), converted from
// its first 259 characters as atof and atoi would. Returns the position after it, or -1 (out
// unchanged) when the text ends before or inside it or the value is out of range (a float must
// be finite).
int ReadFloat(const char* text, int pos, int length, float* out);
int ReadInt(const char* text, int pos, int length, int* out);

// The text between the first two double quotes after "*BITMAP" (from start), at most max - 1
// characters and a terminator, in out. Returns 0 without "*BITMAP", else the quotes' distance
// (path length + 1); an entry without its two quotes is an empty path (1).
int ReadQuotedPath(const char* text, int start, int length, char* out, int max);
