// Fuzz target for the level loader: the input is the file levels\1.xml beside the program, read
// through the pull-reader adapter into a level attempt.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "GlobalResources.h"
#include "KMiscTools.h"
#include "LevelAttempt.h"
#include "fuzz_input.h"
#include "platform/message_boxes.h"
#include "platform/process.h"

namespace {

// A program folder of its own whose levels\1.xml is a link to the input's file, and the
// pictures a level needs.
void PrepareProgramFolder(const std::string& input) {
  static std::string folder;
  if (!folder.empty()) return;
  char pattern[] = "/tmp/level-fuzz-XXXXXX";
  if (!mkdtemp(pattern)) std::abort();
  folder = pattern;
  std::filesystem::create_directory(folder + "/levels");
  std::filesystem::create_symlink(input, folder + "/levels/1.xml");
  platform::SetModulePathOverride((folder + "/tundrel").c_str());
  KMiscTools::InitAppFolder();
  platform::CaptureMessageBoxes(true);
  // The level's objects draw with the shared sprite sheet, picture 1; it needn't load.
  g_resources.AddImage("img\\bg\\nivra_hills1.jpg", false);
  g_resources.AddImage("img\\spr\\plasko.png", true);
  std::atexit([] { std::filesystem::remove_all(folder); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 20)) return 0;
  PrepareProgramFolder(InputAsFile(data, size));
  LevelAttempt attempt;
  attempt.LoadLevel(1);
  // The count the level keeps never promises more objects than were made.
  for (int i = 0; i < attempt.GetBrickCount(); ++i) {
    if (!attempt.GetBrick(i)) __builtin_trap();
  }
  attempt.Teardown();
  platform::TakeMessageBoxes();
  return 0;
}
