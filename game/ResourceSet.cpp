#include "ResourceSet.h"

#include <stdexcept>

#include "DataFileReport.h"
#include "KFactory.h"
#include "KGraphic.h"
#include "KMiscTools.h"
#include "KSound.h"

template <typename T>
void ResourceTable<T>::Remove(const std::string& name) {
  auto entry = indices_.find(name);
  if (entry == indices_.end()) return;
  int index = entry->second;
  delete objects_[static_cast<size_t>(index)];
  objects_.erase(objects_.begin() + index);
  indices_.erase(entry);
  for (auto& other : indices_)
    if (other.second > index) --other.second;
}

template <typename T>
void ResourceTable<T>::Clear() {
  for (T* object : objects_) delete object;
  objects_.clear();
  indices_.clear();
}

template class ResourceTable<KGraphic>;
template class ResourceTable<KSound>;

ResourceSet::~ResourceSet() {
  ClearImages();
  ClearSounds();
  ClearStreams();
}

void ResourceSet::AddImage(std::string path, bool smooth) {
  KGraphic* picture = KFactory::CreateGraphic();
  if (picture) {
    // A file of a picture's name that holds none loads as an empty picture: no picture either.
    LoadDataFile(path.c_str(), [&] {
      return picture->LoadPicture(KMiscTools::MakeFilePath(path.c_str()), true, true) &&
             picture->GetWidth() > 0;
    });
    // After the load, which resets the filtering.
    picture->SetTextureQuality(smooth);
  }
  images_.Add(path, picture);
}

KGraphic* ResourceSet::GetImage(int index) {
  return images_.At(index);
}
KGraphic* ResourceSet::GetImageByName(std::string name) {
  return images_.ByName(name);
}
int ResourceSet::GetImageIndex(std::string name) {
  return images_.IndexOf(name);
}
void ResourceSet::RemoveImage(std::string name) {
  images_.Remove(name);
}
void ResourceSet::ClearImages() {
  images_.Clear();
}

void ResourceSet::AddSound(std::string path) {
  auto* sound = new KSound;
  LoadDataFile(path.c_str(), [&] {
    return sound->LoadSample(KMiscTools::MakeFilePath(path.c_str()), 100, false, 1);
  });
  sounds_.Add(path, sound);
}

KSound* ResourceSet::GetSound(int index) {
  return sounds_.At(index);
}
KSound* ResourceSet::GetSoundByName(std::string name) {
  return sounds_.ByName(name);
}
int ResourceSet::GetSoundIndex(std::string name) {
  return sounds_.IndexOf(name);
}
void ResourceSet::RemoveSound(std::string name) {
  sounds_.Remove(name);
}
void ResourceSet::ClearSounds() {
  sounds_.Clear();
}

void ResourceSet::AddStream(std::string path) {
  auto* stream = new KSound;
  LoadDataFile(path.c_str(),
               [&] { return stream->LoadStream(KMiscTools::MakeFilePath(path.c_str())); });
  streams_.Add(path, stream);
}

KSound* ResourceSet::GetStream(int index) {
  return streams_.At(index);
}
void ResourceSet::RemoveStream(std::string name) {
  streams_.Remove(name);
}
void ResourceSet::ClearStreams() {
  streams_.Clear();
}
