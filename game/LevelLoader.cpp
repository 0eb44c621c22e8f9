// Reading a level file: levels\<n>.xml beside the program, with one level element and one object
// element per hanging object.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "DataFileReport.h"
#include "GameTools.h"
#include "GlobalResources.h"
#include "IrrXMLReader.h"
#include "KMiscTools.h"
#include "LevelAttempt.h"

namespace {

// Copies an attribute's text, cut to what the field holds; a missing attribute gives "".
void CopyText(char* field, size_t size, const char* text) {
  std::snprintf(field, size, "%s", text ? text : "");
}

}  // namespace

bool LevelAttempt::LoadLevel(int levelNumber) {
  giftCount_ = 0;
  char path[32];
  std::snprintf(path, sizeof path, "levels\\%i.xml", levelNumber);
  platform::TakeLoadFailure();
  if (!FileExists(path)) {
    // The first missing number after level 1 is how the game learns that the last level was
    // played; anything else that is not a level file is the player's to know about.
    if (levelNumber == 1 || platform::GetFileInfo(KMiscTools::MakeFilePath(path)).exists) {
      ReportDataFileProblem(path, platform::TakeLoadFailure());
    }
    return false;
  }

  KGraphic* sprites = g_resources.GetImage(IMAGE_SPRITES);
  std::unique_ptr<IrrXMLReader> reader(createIrrXMLReader(KMiscTools::MakeFilePath(path)));
  bool hasLevel = false;
  int index = 0;
  while (reader && reader->read()) {
    bool isElement = reader->getNodeType() == kXmlNodeElement;
    if (isElement && std::strcmp(reader->getNodeName(), "level") == 0) {
      hasLevel = true;
      CopyText(name_, sizeof name_, reader->getAttributeValue("name"));
      CopyText(descr_, sizeof descr_, reader->getAttributeValue("descr"));
      _brickCnt = reader->getAttributeValueAsInt("brickCnt");
      _neededBrickCnt = reader->getAttributeValueAsInt("neededBrickCnt");
    } else if (isElement && std::strcmp(reader->getNodeName(), "object") == 0 &&
               index < kMaximumObjects) {
      int x = reader->getAttributeValueAsInt("x");
      int y = reader->getAttributeValueAsInt("y");
      int type = reader->getAttributeValueAsInt("type");
      int state = reader->getAttributeValueAsInt("state");
      auto* brick = new Brick;
      brick->Init(sprites, type, static_cast<float>(index) * 8.0f);
      brick->SetPosition(static_cast<float>(x), static_cast<float>(y));
      brick->state = state;
      objects_[index++] = brick;
      if (brick->IsGift()) ++giftCount_;
    }
    if (index >= _brickCnt && _brickCnt > 0) break;
  }
  // A file that can't be read or parsed, or that holds no level, fails as a missing one does
  // rather than giving a level without objects that is won at once. The objects it did make are
  // released with the attempt.
  if (!hasLevel) {
    const char* reason = platform::TakeLoadFailure();
    ReportDataFileProblem(path, reason ? reason : "holds no level element");
    return false;
  }
  // The table holds 70 objects: no more can be in play.
  if (_brickCnt > index) _brickCnt = index;
  HoldNeededToCatchableGifts(path);
  return true;
}

// A level that needs more gifts than can be caught in it loops on "Try again" for ever, and a
// negative need is no need: it is held to 0 .. the gifts in play.
void LevelAttempt::HoldNeededToCatchableGifts(const char* path) {
  int catchable = 0;
  for (int i = 0; i < _brickCnt; ++i)
    if (objects_[i]->IsCatchableGift()) ++catchable;
  int held = std::clamp(_neededBrickCnt, 0, catchable);
  if (held == _neededBrickCnt) return;
  char reason[96];
  std::snprintf(reason, sizeof reason, "neededBrickCnt %d held to %d, the gifts it holds",
                _neededBrickCnt, held);
  ReportDataFileProblem(path, reason);
  _neededBrickCnt = held;
}
