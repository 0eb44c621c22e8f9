// Small services for the library and the game: the program folder and paths built from it, the
// user's folders, message boxes, the millisecond clock, waiting, opening documents, logging, byte
// order and folder listing. The returned strings live in process-wide buffers that the next call
// of the same operation overwrites.
#pragma once

#include <cstdint>

class KMiscTools {
 public:
  typedef bool (*EnumerateCallback)(const char* name, bool isDirectory);

  static void InitAppFolder();
  static const char* GetAppFolder();
  // The absolute path of a file named relative to the program folder, with backslashes.
  static char* MakeFilePath(const char* name);
  static const char* GetAppDataFolder();
  static const char* GetDocumentsFolder();
  static void ShowMessageBox(const char* caption, const char* text);
  static void SlashesToBackslashes(char* text);

  static void InitTimer();
  // Milliseconds from an arbitrary origin; only differences of two values mean something.
  static uint32_t GetMilliseconds();
  // Spins (never sleeps) for ms milliseconds, dispatching at most one message a pass if asked.
  static void WaitMilliseconds(int ms, bool pumpMessages);

  static void OpenUrl(const char* text, bool maximized);
  static void ShellOpen(const char* text, bool maximized);
  static void Log(int level, const char* text);

  static int32_t SwapInt(int32_t value) { return value; }
  static int16_t SwapShort(int16_t value) { return value; }
  static float SwapFloat(float value) { return value; }

  static void EnumerateFolder(const char* pattern, EnumerateCallback callback);
};
