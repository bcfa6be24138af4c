// The drawing layer of the graphics object: every drawing operation on a
// 32-bit off-screen buffer (LICE_SysBitmap, the editor's size) with the
// raster library, clipped to the paint pass's draw rectangle, and the
// bitmaps of the process-wide cache. It owns the off-screen buffer and a
// scratch bitmap; the window layer above it copies the buffer to the
// screen and draws text into it.
//
// Threads: the drawing operations run inside a paint pass or a picture
// (IGraphics::Draw, DrawAll), under the paint mutex; LoadBitmap, RetainBitmap and ReleaseBitmap go through
// the cache's lock, since editors of several instances may be built on different threads.
#pragma once

#include "IGraphics.h"

class LICE_MemBitmap;
class LICE_SysBitmap;

class IGraphicsLice : public IGraphics {
 public:
  IGraphicsLice(IPlugBase* plug, int width, int height, int fps = 0);
  // Deletes the buffers; the core then deletes the controls.
  ~IGraphicsLice() override;

  void PrepareDraw() override;
  bool DrawBitmap(IBitmapInfo* bitmap, const IRect& dest, int srcX, int srcY, const IBlend* blend) override;
  bool DrawRotatedBitmap(IBitmapInfo* bitmap, int destCtrX, int destCtrY, double angle, int yOffsetZeroDeg,
                         const IBlend* blend) override;
  bool DrawRotatedMask(IBitmapInfo* base, IBitmapInfo* mask, IBitmapInfo* top, int x, int y, double angle,
                       const IBlend* blend) override;
  bool DrawPoint(const IColour& colour, float x, float y, const IBlend* blend) override;
  bool ForcePixel(const IColour& colour, int x, int y) override;
  bool DrawLine(const IColour& colour, float x1, float y1, float x2, float y2, const IBlend* blend,
                bool antiAlias) override;
  bool DrawArc(const IColour& colour, float cx, float cy, float r, float minAngle, float maxAngle,
               const IBlend* blend, bool antiAlias) override;
  bool DrawCircle(const IColour& colour, float cx, float cy, float r, const IBlend* blend,
                  bool antiAlias) override;
  bool FillRect(const IColour& colour, const IRect& rect, const IBlend* blend) override;
  IColour GetPoint(int x, int y) override;
  void* GetBufferBits() override;
  // Resizes the buffer after the core's part.
  void Resize(int width, int height) override;
  // Looks the id up in the cache; decodes and caches it on first use. A
  // missing resource stops the program ("imgResourceFound").
  IBitmapInfo LoadBitmap(int id, const char* name, int frames = 1) override;
  IBitmapInfo ScaleBitmap(IBitmapInfo* bitmap, int width, int height) override;
  IBitmapInfo CropBitmap(IBitmapInfo* bitmap, const IRect& rect) override;
  bool DrawVerticalLine(const IColour& colour, int x, int y1, int y2) override;
  bool DrawHorizontalLine(const IColour& colour, int y, int x1, int x2) override;
  void RetainBitmap(LICE_IBitmap* bitmap) override;
  void ReleaseBitmap(LICE_IBitmap* bitmap) override;
  // The raster layer's decoder of the plug-in module's resources.
  LICE_IBitmap* LoadBitmapResource(int id, const char* name) override;

  // The off-screen buffer (null until something is drawn after PrepareDraw).
  LICE_IBitmap* GetDrawBitmap() const;

  // The raster mode of a blend for images and fills (kind 1: copy without
  // source alpha; 2: additive, 3: dodge, else copy, all with source alpha).
  static int BlitMode(const IBlend* blend);
  // For points, lines, arcs and circles: copy, additive or dodge, without
  // source alpha.
  static int ShapeMode(const IBlend* blend);
  static float BlendWeight(const IBlend* blend) { return blend ? blend->mWeight : 1.0f; }

 private:
  // Makes the buffers on the first call after PrepareDraw; true while a
  // buffer with pixels exists.
  bool HasBuffer();

  LICE_SysBitmap* mpDrawBitmap = nullptr;  // owned
  LICE_MemBitmap* mpTmpBitmap = nullptr;   // owned; scratch of DrawRotatedMask
  bool mBufferPrepared = false;            // PrepareDraw was called
};
