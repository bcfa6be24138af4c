#include "editor/EditorPicture.h"

#include "IGraphicsLice.h"
#include "LICE_MemBitmap.h"
#include "LICE_PNGWrite.h"
#include "LICE_Raster.h"

bool WriteEditorPicture(IGraphics* graphics, const char* path) {
  IGraphicsLice* drawing = dynamic_cast<IGraphicsLice*>(graphics);
  if (!drawing || !path || !*path) return false;
  // The paint mutex is held only to paint and copy (a millisecond or two),
  // not while the file is compressed and written (a tenth of a second):
  // an open window's paint pass waits no longer than for one of its own.
  LICE_MemBitmap picture;
  {
    vrels::ScopedLock paint(drawing->PaintMutex());
    drawing->DrawAll();
    LICE_IBitmap* buffer = drawing->GetDrawBitmap();
    if (!buffer) return false;
    LICE_Copy(&picture, buffer);
  }
  return LICE_WritePNG(path, &picture);
}
