// Builds tar archives byte by byte: one 512-byte header per entry (name, size in octal, type flag,
// ustar magic and checksum), the data padded to whole blocks, and the end blocks.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>

class TarBuilder {
 public:
  TarBuilder& File(const std::string& name, const std::string& data) {
    return Entry(name, data, '0', OctalSize(data.size()));
  }
  TarBuilder& Directory(const std::string& name) { return Entry(name, "", '5', OctalSize(0)); }
  TarBuilder& Symlink(const std::string& name) { return Entry(name, "", '2', OctalSize(0)); }

  // An entry whose 12-byte size field is given as it stands (data is still written whole).
  TarBuilder& Entry(const std::string& name, const std::string& data, char type,
                    const std::string& sizeField) {
    char header[512] = {};
    std::memcpy(header, name.data(), name.size() < 100 ? name.size() : 100);
    std::memcpy(header + 100, "0000644", 8);
    std::memcpy(header + 108, "0001750", 8);
    std::memcpy(header + 116, "0001750", 8);
    std::memcpy(header + 124, sizeField.data(), sizeField.size() < 12 ? sizeField.size() : 12);
    std::memcpy(header + 136, "14723461220", 12);
    header[156] = type;
    std::memcpy(header + 257, "ustar", 6);
    std::memcpy(header + 263, "00", 2);
    std::memset(header + 148, ' ', 8);
    unsigned checksum = 0;
    for (unsigned char byte : header) checksum += byte;
    std::snprintf(header + 148, 8, "%06o", checksum);
    bytes_.append(header, sizeof header);
    bytes_ += data;
    bytes_.append((512 - data.size() % 512) % 512, '\0');
    return *this;
  }

  TarBuilder& EndBlocks(int count = 2) {
    bytes_.append(512 * count, '\0');
    return *this;
  }

  const std::string& Bytes() const { return bytes_; }

  static std::string OctalSize(unsigned long long size) {
    char field[13];
    std::snprintf(field, sizeof field, "%011llo", size);
    return field;
  }

 private:
  std::string bytes_;
};
