#include "editor/EditorPicture.h"

#include "IGraphicsLice.h"
#include "LICE_PNGWrite.h"

bool WriteEditorPicture(IGraphics* graphics, const char* path) {
  IGraphicsLice* drawing = dynamic_cast<IGraphicsLice*>(graphics);
  if (!drawing || !path || !*path) return false;
  vrels::ScopedLock paint(drawing->PaintMutex());
  drawing->DrawAll();
  return LICE_WritePNG(path, drawing->GetDrawBitmap());
}
