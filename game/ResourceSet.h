// The game's owning store of pictures, sound samples and streamed sounds loaded from data files.
// Each kind is numbered by its order of adding, from 0, and can also be found by the path it was
// added with. The set deletes what it holds.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

class KGraphic;
class KSound;

// One kind of object: the objects in the order of adding, and each name's index.
template <typename T>
class ResourceTable {
 public:
  // Appends the object under the name; the name now leads to it.
  void Add(const std::string& name, T* object) {
    indices_[name] = static_cast<int>(objects_.size());
    objects_.push_back(object);
  }
  // Throws std::out_of_range for an index outside the table.
  T* At(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= objects_.size()) {
      throw std::out_of_range("invalid vector<T> subscript");
    }
    return objects_[static_cast<size_t>(index)];
  }
  // -1 for a name that is not in the table.
  int IndexOf(const std::string& name) const {
    auto entry = indices_.find(name);
    return entry == indices_.end() ? -1 : entry->second;
  }
  T* ByName(const std::string& name) const {
    int index = IndexOf(name);
    return index < 0 ? nullptr : At(index);
  }
  // Deletes the object of that name; the objects after it move down one index. An unknown name
  // changes nothing.
  void Remove(const std::string& name);
  void Clear();
  size_t Size() const { return objects_.size(); }

 private:
  std::map<std::string, int> indices_;
  std::vector<T*> objects_;
};

class ResourceSet {
 public:
  ResourceSet() = default;
  ~ResourceSet();
  ResourceSet(const ResourceSet&) = delete;
  ResourceSet& operator=(const ResourceSet&) = delete;

  // path: relative to the program's folder, with backslashes. A file that doesn't load still
  // takes its index: its picture shows nothing, its sound plays nothing; the failure is reported
  // on standard error.
  void AddImage(std::string path, bool smooth);
  KGraphic* GetImage(int index);
  KGraphic* GetImageByName(std::string name);
  int GetImageIndex(std::string name);
  void RemoveImage(std::string name);
  void ClearImages();

  void AddSound(std::string path);
  KSound* GetSound(int index);
  KSound* GetSoundByName(std::string name);
  int GetSoundIndex(std::string name);
  void RemoveSound(std::string name);
  void ClearSounds();

  void AddStream(std::string path);
  KSound* GetStream(int index);
  void RemoveStream(std::string name);
  void ClearStreams();

 private:
  ResourceTable<KGraphic> images_;
  ResourceTable<KSound> sounds_;
  ResourceTable<KSound> streams_;
};
