// The editor's picture for a host (the vendor request kWriteEditorPicture):
// the file holds exactly what a full paint of the editor shows, an open
// window's redraw cycle is left as it was, and a request that cannot be met
// answers 0 and leaves no file behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "IControl.h"
#include "IGraphicsLice.h"
#include "LICE_PNG.h"
#include "VendorRequests.h"
#include "VrelsPlugin.h"
#include "params/ParameterTable.h"

namespace {

intptr_t RequestPicture(AEffect* effect, const char* path) {
  return effect->dispatcher(effect, effVendorSpecific, vrelsvendor::kIndex, vrelsvendor::kWriteEditorPicture,
                            const_cast<char*>(path), 0.0f);
}

std::unique_ptr<LICE_IBitmap> ReadPng(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.empty()) return nullptr;
  return std::unique_ptr<LICE_IBitmap>(LICE_LoadPNGFromMemory(bytes.data(), bytes.size()));
}

TEST(EditorPicture, HoldsAFullPaintAndLeavesTheWindowsRedrawAsItWas) {
  VrelsPlugin plug(nullptr);
  AEffect* effect = plug.GetAEffect();
  IGraphicsLice* graphics = dynamic_cast<IGraphicsLice*>(plug.GetGUI());
  ASSERT_NE(graphics, nullptr);
  const IRect whole(0, 0, graphics->Width(), graphics->Height());
  // The window painted everything; then a parameter changes.
  IRect dirty;
  ASSERT_TRUE(graphics->IsDirty(&dirty));
  graphics->Draw(dirty);
  effect->setParameter(effect, kGLen, 0.9f);

  const std::string path = testing::TempDir() + "editor-picture.png";
  ASSERT_EQ(1, RequestPicture(effect, path.c_str()));

  // The knob the host moved is still the window's to repaint.
  IRect stillDirty;
  ASSERT_TRUE(graphics->IsDirty(&stillDirty));
  int knob = 0;
  while (knob < graphics->NControls() && graphics->GetControl(knob)->ParamIdx() != kGLen) ++knob;
  ASSERT_LT(knob, graphics->NControls());
  const IRect knobRect = graphics->GetControl(knob)->GetRect();
  EXPECT_EQ(stillDirty.Union(knobRect), stillDirty);

  // The file is the editor as a full paint shows it now, pixel for pixel.
  std::unique_ptr<LICE_IBitmap> picture = ReadPng(path);
  std::remove(path.c_str());
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture->GetWidth(), whole.W());
  ASSERT_EQ(picture->GetHeight(), whole.H());
  graphics->Draw(whole);
  LICE_IBitmap* buffer = graphics->GetDrawBitmap();
  int differing = 0;
  for (int y = 0; y < whole.H(); ++y) {
    for (int x = 0; x < whole.W(); ++x) {
      const LICE_pixel painted = buffer->GetBits()[y * buffer->GetRowSpan() + x];
      differing += (painted & 0xFFFFFF) != (picture->GetBits()[y * picture->GetRowSpan() + x] & 0xFFFFFF);
    }
  }
  EXPECT_EQ(0, differing);
}

TEST(EditorPicture, RequestsWithoutAWritableFileAnswerZeroAndLeaveNoFile) {
  VrelsPlugin plug(nullptr);
  AEffect* effect = plug.GetAEffect();
  EXPECT_EQ(0, RequestPicture(effect, nullptr));
  EXPECT_EQ(0, RequestPicture(effect, ""));
  EXPECT_EQ(0, RequestPicture(effect, "/nonexistent-folder/picture.png"));
  // A folder's name: the picture is written beside it, then cannot take the
  // name, and is removed again.
  const std::string folder = testing::TempDir() + "editor-picture-folder";
  std::filesystem::create_directories(folder);
  EXPECT_EQ(0, RequestPicture(effect, folder.c_str()));
  EXPECT_FALSE(std::filesystem::exists(folder + ".tmp"));
}

}  // namespace
