// Writes the seed corpora of the fuzz targets made here (WAV, Ogg Vorbis, modules, levels,
// fonts) into the corpus folder given, and checks that the library reads each seed:
//   fuzz_seeds tests/fuzz/corpus
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "KSound.h"
#include "KTrueText.h"
#include "module_fixtures.h"
#include "platform/directsound.h"
#include "platform/message_boxes.h"
#include "sound_fixtures.h"
#include "true_type_font.h"

namespace {

using sound_fixtures::Chunk;
using sound_fixtures::FormatPayload;
using sound_fixtures::Riff;

struct Seed {
  std::string target, name, bytes;
};

std::vector<Seed> Seeds() {
  const std::vector<int16_t> ramp = {0, 1000, 2000, 3000, -3000, -2000, -1000, 0};
  const std::string level =
      "<?xml version=\"1.0\"?>\n<level name=\"Seed\" descr=\"two objects\" brickCnt=\"2\" "
      "neededBrickCnt=\"1\">\n<object x=\"100\" y=\"50\" type=\"0\" state=\"0\"/>\n"
      "<object x=\"-20\" y=\"+70\" type=\"3\" state=\"1\"/>\n</level>\n";
  return {
      {"wav", "stereo16.wav", sound_fixtures::Wav16(2, 44100, ramp)},
      {"wav", "mono8-listed.wav",
       Riff({Chunk("LIST", "INFOtest"), Chunk("fmt ", FormatPayload(1, 8, 11025)),
             Chunk("data", "\x80\xC0\xFF\xC0\x80\x40\x00\x40")})},
      {"wav", "data-longer-than-file.wav",
       Riff({Chunk("fmt ", FormatPayload(1, 16, 22050))}) +
           std::string("data\xFF\xFF\x00\x00\x01\x02\x03\x04\x05\x06\x07\x08", 16)},
      {"ogg", "mono-8000.ogg", sound_fixtures::EncodeOgg(1, 8000, 800)},
      {"ogg", "stereo-22050.ogg", sound_fixtures::EncodeOgg(2, 22050, 3000)},
      {"module", "seed.mod", sound_fixtures::MakeMod(4)},
      {"module", "seed.s3m", module_fixtures::MakeS3m()},
      {"module", "seed.xm", module_fixtures::MakeXm()},
      {"module", "seed.it", module_fixtures::MakeIt()},
      {"level", "two-objects.xml", level},
      {"level", "markup.xml",
       "<?xml version=\"1.0\"?><!DOCTYPE level><!-- c --><level brickCnt=\"99999999999\" "
       "neededBrickCnt=\"-3\"><![CDATA[x]]><?pi?>text<object x=\"1\" type=\"7\"></object>"
       "</level>"},
      {"font", "two-glyphs.ttf", true_type_font::MakeTrueTypeFont()},
  };
}

// Whether the library reads the seed as what it is meant to be.
bool Readable(const Seed& seed, const std::string& path) {
  if (seed.target == "font") {
    KTrueText text(path.c_str());
    return text.GetStringWidth("AB", 0) > 0;
  }
  KSound sound;
  if (seed.target == "wav") return sound.LoadSample(path.c_str(), 100, false, 1);
  if (seed.target == "ogg")
    return sound.LoadStreamFromMemory(seed.bytes.data(), int(seed.bytes.size()));
  if (seed.target == "module") return sound.LoadModule(path.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds CORPUS_FOLDER\n");
    return 2;
  }
  platform::CaptureMessageBoxes(true);
  platform::SetAudioOutput(platform::AudioOutput::kManual);
  int unreadable = 0;
  for (const Seed& seed : Seeds()) {
    std::filesystem::path folder = std::filesystem::path(argv[1]) / seed.target;
    std::filesystem::create_directories(folder);
    std::string path = (folder / seed.name).string();
    std::ofstream(path, std::ios::binary) << seed.bytes;
    bool readable = Readable(seed, path);
    std::printf("%-7s %-28s %6zu bytes%s\n", seed.target.c_str(), seed.name.c_str(),
                seed.bytes.size(), readable ? "" : "  NOT READ");
    if (!readable) ++unreadable;
  }
  return unreadable == 0 ? 0 : 1;
}
