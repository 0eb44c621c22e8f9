#include "ResourceSet.h"

#include <stdexcept>

#include "KFactory.h"
#include "KGraphic.h"
#include "KMiscTools.h"
#include "KSound.h"

template <typename T>
void ResourceTable<T>::Remove(const std::string& name) {
  auto entry = _indices.find(name);
  if (entry == _indices.end()) return;
  int index = entry->second;
  delete _objects[static_cast<size_t>(index)];
  _objects.erase(_objects.begin() + index);
  _indices.erase(entry);
  for (auto& other : _indices)
    if (other.second > index) --other.second;
}

template <typename T>
void ResourceTable<T>::Clear() {
  for (T* object : _objects) delete object;
  _objects.clear();
  _indices.clear();
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
    picture->LoadPicture(KMiscTools::MakeFilePath(path.c_str()), true, true);
    // After the load, which resets the filtering.
    picture->SetTextureQuality(smooth);
  }
  _images.Add(path, picture);
}

KGraphic* ResourceSet::GetImage(int index) {
  return _images.At(index);
}
KGraphic* ResourceSet::GetImageByName(std::string name) {
  return _images.ByName(name);
}
int ResourceSet::GetImageIndex(std::string name) {
  return _images.IndexOf(name);
}
void ResourceSet::RemoveImage(std::string name) {
  _images.Remove(name);
}
void ResourceSet::ClearImages() {
  _images.Clear();
}

void ResourceSet::AddSound(std::string path) {
  auto* sound = new KSound;
  sound->LoadSample(KMiscTools::MakeFilePath(path.c_str()), 100, false, 1);
  _sounds.Add(path, sound);
}

KSound* ResourceSet::GetSound(int index) {
  return _sounds.At(index);
}
KSound* ResourceSet::GetSoundByName(std::string name) {
  return _sounds.ByName(name);
}
int ResourceSet::GetSoundIndex(std::string name) {
  return _sounds.IndexOf(name);
}
void ResourceSet::RemoveSound(std::string name) {
  _sounds.Remove(name);
}
void ResourceSet::ClearSounds() {
  _sounds.Clear();
}

void ResourceSet::AddStream(std::string path) {
  auto* stream = new KSound;
  stream->LoadStream(KMiscTools::MakeFilePath(path.c_str()));
  _streams.Add(path, stream);
}

KSound* ResourceSet::GetStream(int index) {
  return _streams.At(index);
}
void ResourceSet::RemoveStream(std::string name) {
  _streams.Remove(name);
}
void ResourceSet::ClearStreams() {
  _streams.Clear();
}
