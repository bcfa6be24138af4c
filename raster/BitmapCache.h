// The process-wide cache of bitmaps, shared by every plug-in instance: the
// decoded image resources under their ids (each decoded once per process)
// and, under id -1, scaled and cropped copies handed over with
// RetainBitmap. The cache owns its bitmaps; they live until the library is
// unloaded (or ReleaseBitmap), when the cache deletes them.
//
// One lock serialises every operation, since editors of several instances
// may be built on different threads. Bitmaps themselves are only read
// once they are cached. The drawing layer calls the functions at the end;
// never the audio thread.
#pragma once

#include "ByteBuffer.h"
#include "LICE_IBitmap.h"
#include "platform/Mutex.h"

class BitmapCache {
 public:
  // The one cache of the process, made on first use.
  static BitmapCache& Instance();

  // The bitmap cached under this id, or null.
  LICE_IBitmap* Find(int id);
  // Takes ownership of the bitmap under the id; false (the caller keeps the
  // bitmap) when no memory can be had.
  bool Add(int id, LICE_IBitmap* bitmap);
  // Removes the entry holding this bitmap and deletes the bitmap; false when
  // the cache does not hold it.
  bool Remove(LICE_IBitmap* bitmap);
  int Count();

  // Held by a caller that looks up and adds in one step.
  vrels::RecursiveMutex& Mutex() { return mMutex; }

 private:
  BitmapCache() = default;
  ~BitmapCache();
  BitmapCache(const BitmapCache&) = delete;
  BitmapCache& operator=(const BitmapCache&) = delete;

  struct Entry {
    int mId;
    LICE_IBitmap* mpBitmap;
  };
  Entry* Entries() { return reinterpret_cast<Entry*>(mEntries.Data()); }
  int EntryCount() const { return static_cast<int>(mEntries.Size() / sizeof(Entry)); }

  vrels::RecursiveMutex mMutex;
  ByteBuffer mEntries{sizeof(Entry) * 32};
};

// The image resource with this id from the cache, decoding and caching it
// on first use (the name as for LoadBitmapResource). Null when the resource
// is missing or does not decode.
LICE_IBitmap* LoadCachedBitmap(int id, const char* name);
// Hands a bitmap over to the cache (id -1); false, and the caller keeps it,
// when no memory can be had.
bool RetainBitmap(LICE_IBitmap* bitmap);
// Removes a bitmap from the cache and deletes it.
bool ReleaseBitmap(LICE_IBitmap* bitmap);
