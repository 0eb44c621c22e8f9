#include "MeshText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "KMiscTools.h"

namespace {

// The longest number text that is converted; longer numbers are cut.
constexpr int kMaximumNumberText = 259;

bool StartsNumber(char c) {
  return c == '-' || (c >= '0' && c <= '9');
}

bool InNumber(char c) {
  return c == '.' || StartsNumber(c);
}

int SkipToNumber(const char* text, int pos, int length) {
  while (pos < length && !StartsNumber(text[pos])) ++pos;
  return pos;
}

// Converts text [begin, end) as atof or atoi would (a text without a number gives 0); false
// when the value does not fit.
template <typename Number>
bool ConvertPrefix(const char* begin, const char* end, Number* value) {
  auto [stop, error] = std::from_chars(begin, end, *value);
  if (error == std::errc::invalid_argument) *value = 0;
  return error != std::errc::result_out_of_range;
}

// The number token at pos: its end, or -1 when the text ends first or inside it.
int NumberEnd(const char* text, int* pos, int length) {
  if (*pos < 0) return -1;
  *pos = SkipToNumber(text, *pos, length);
  int end = *pos;
  while (end < length && InNumber(text[end])) ++end;
  return end < length ? end : -1;
}

// The number token from pos on, converted from its first characters; the position after it, or
// -1 (out unchanged).
template <typename Number>
int ReadNumber(const char* text, int pos, int length, Number* out) {
  const int end = NumberEnd(text, &pos, length);
  if (end < 0) return -1;
  Number value = 0;
  if (!ConvertPrefix(text + pos, text + std::min(end, pos + kMaximumNumberText), &value)) {
    return -1;
  }
  *out = value;
  return end;
}

}  // namespace

int FindKeyword(std::string_view keyword, const char* text, int length, int start) {
  const int n = static_cast<int>(keyword.size());
  if (length - n == 0) {
    KMiscTools::ShowMessageBox("Missing chunk", std::string(keyword).c_str());
    return -1;
  }
  if (length < n || start < 0 || n == 0) return -1;
  const int last = length - n - 1;
  for (int p = start; p <= last;) {
    const void* hit = std::memchr(text + p, keyword[0], static_cast<size_t>(last - p + 1));
    if (!hit) return -1;
    p = static_cast<int>(static_cast<const char*>(hit) - text);
    // Keywords share their first bytes ("*MESH_"): the last byte tells most of them apart.
    if (text[p + n - 1] == keyword[n - 1] &&
        std::memcmp(text + p, keyword.data(), static_cast<size_t>(n)) == 0) {
      return p;
    }
    ++p;
  }
  return -1;
}

int FindKeywordInt(const char* keyword, const char* text, int start, int length) {
  const int found = FindKeyword(keyword, text, length, start);
  if (found < 0) return 0;
  const int digits = SkipToNumber(text, found + static_cast<int>(std::strlen(keyword)), length);
  if (digits >= length) return -1;
  int value = 0;
  const int end = std::min(length, digits + kMaximumNumberText);
  return ConvertPrefix(text + digits, text + end, &value) ? value : -1;
}

int ReadFloat(const char* text, int pos, int length, float* out) {
  double value = 0;
  const int end = ReadNumber(text, pos, length, &value);
  const float narrowed = static_cast<float>(value);
  if (end < 0 || !std::isfinite(narrowed)) return -1;
  *out = narrowed;
  return end;
}

int ReadInt(const char* text, int pos, int length, int* out) {
  return ReadNumber(text, pos, length, out);
}

int ReadQuotedPath(const char* text, int start, int length, char* out, int max) {
  const int found = FindKeyword("*BITMAP", text, length, start);
  if (found < 0) return 0;
  out[0] = '\0';
  const char* end = text + length;
  const char* open = static_cast<const char*>(std::memchr(text + found, '"', end - (text + found)));
  if (!open) return 1;
  const char* close = static_cast<const char*>(std::memchr(open + 1, '"', end - (open + 1)));
  if (!close) return 1;
  const int copied = std::min(static_cast<int>(close - open - 1), max - 1);
  std::memcpy(out, open + 1, static_cast<size_t>(copied));
  out[copied] = '\0';
  return static_cast<int>(close - open);
}
