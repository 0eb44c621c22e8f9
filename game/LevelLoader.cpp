// Reading a level file: levels\<n>.xml beside the program, with one level element and one object
// element per hanging object.
#include <cstdio>
#include <cstring>
#include <memory>

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
  if (!FileExists(path)) return false;

  KGraphic* sprites = g_resources.GetImage(IMAGE_SPRITES);
  std::unique_ptr<IrrXMLReader> reader(createIrrXMLReader(KMiscTools::MakeFilePath(path)));
  int index = 0;
  while (reader && reader->read()) {
    bool isElement = reader->getNodeType() == kXmlNodeElement;
    if (isElement && std::strcmp(reader->getNodeName(), "level") == 0) {
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
  // The table holds 70 objects: no more can be in play.
  if (_brickCnt > index) _brickCnt = index;
  return true;
}
