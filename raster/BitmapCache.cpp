#include "BitmapCache.h"

#include <cstring>

#include "ImageResource.h"

BitmapCache& BitmapCache::Instance() {
  // Destroyed, with every bitmap it holds, when the library is unloaded.
  static BitmapCache sCache;
  return sCache;
}

BitmapCache::~BitmapCache() {
  Entry* entries = Entries();
  for (int i = EntryCount() - 1; i >= 0; --i) delete entries[i].mpBitmap;
  mEntries.Clear();
}

LICE_IBitmap* BitmapCache::Find(int id) {
  vrels::ScopedLock lock(mMutex);
  Entry* entries = Entries();
  for (int i = 0, n = EntryCount(); i < n; ++i) {
    if (entries[i].mId == id) return entries[i].mpBitmap;
  }
  return nullptr;
}

bool BitmapCache::Add(int id, LICE_IBitmap* bitmap) {
  if (!bitmap) return false;
  vrels::ScopedLock lock(mMutex);
  Entry entry = {id, bitmap};
  return mEntries.Append(&entry, sizeof(entry));
}

bool BitmapCache::Remove(LICE_IBitmap* bitmap) {
  if (!bitmap) return false;
  vrels::ScopedLock lock(mMutex);
  Entry* entries = Entries();
  int n = EntryCount();
  for (int i = 0; i < n; ++i) {
    if (entries[i].mpBitmap != bitmap) continue;
    std::memmove(entries + i, entries + i + 1, sizeof(Entry) * (n - i - 1));
    mEntries.Resize(sizeof(Entry) * (n - 1));
    delete bitmap;
    return true;
  }
  return false;
}

int BitmapCache::Count() {
  vrels::ScopedLock lock(mMutex);
  return EntryCount();
}

LICE_IBitmap* LoadCachedBitmap(int id, const char* name) {
  BitmapCache& cache = BitmapCache::Instance();
  // Under the lock throughout, so that two editors loading the same image at
  // once decode it once.
  vrels::ScopedLock lock(cache.Mutex());
  if (LICE_IBitmap* cached = cache.Find(id)) return cached;
  LICE_IBitmap* bitmap = LoadBitmapResource(id, name);
  if (bitmap && !cache.Add(id, bitmap)) {
    delete bitmap;
    return nullptr;
  }
  return bitmap;
}

bool RetainBitmap(LICE_IBitmap* bitmap) {
  return BitmapCache::Instance().Add(-1, bitmap);
}

bool ReleaseBitmap(LICE_IBitmap* bitmap) {
  return BitmapCache::Instance().Remove(bitmap);
}
