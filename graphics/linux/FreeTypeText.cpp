#include "FreeTypeText.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "EmbeddedFonts.h"
#include "LICE_Blend.h"

namespace {

const int STYLE_BOLD = 1;
const int STYLE_ITALIC = 2;
const FT_Fixed FIXED_ONE = 0x10000;  // 1.0 in FreeType's 16.16 numbers
// The slant of synthesised italics, as the tangent of the lean (about 12
// degrees, the usual slant of an oblique face).
const double ITALIC_SLANT = 0.2;
const double PI = 3.14159265358979323846;
const int SUBPIXEL_SHIFT = 6;  // FreeType's 26.6 pixel positions
const int SUBPIXEL_HALF = 32;

int RoundMulDiv(long a, long b, long c) {
  return static_cast<int>((a * b + c / 2) / c);
}

// The next character of a text: UTF-8 when the bytes form a valid sequence,
// otherwise the one byte as Latin-1. Advances p.
std::uint32_t NextCharacter(const unsigned char*& p) {
  std::uint32_t c = *p++;
  if (c < 0x80) return c;
  // Lead bytes C2..DF, E0..EF and F0..F4 start sequences of two, three and
  // four bytes; every other byte above 7F stands alone.
  int more = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    more = 1;
  } else if (c >= 0xE0 && c <= 0xEF) {
    more = 2;
  } else if (c >= 0xF0 && c <= 0xF4) {
    more = 3;
  } else {
    return c;
  }
  std::uint32_t code = c & (0x3F >> more);
  for (int i = 0; i < more; ++i) {
    if ((p[i] & 0xC0) != 0x80) return c;
    code = (code << 6) | (p[i] & 0x3F);
  }
  // Overlong three- and four-byte forms, surrogates and values beyond
  // Unicode are not UTF-8.
  const std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[more] || (code >= 0xD800 && code < 0xE000) || code > 0x10FFFF) return c;
  p += more;
  return code;
}

// The characters of each line of a text.
std::vector<std::vector<std::uint32_t>> SplitLines(const char* text) {
  std::vector<std::vector<std::uint32_t>> lines(1);
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p) {
    std::uint32_t c = NextCharacter(p);
    if (c == '\r' || c == '\n') {
      if (c == '\r' && *p == '\n') ++p;
      lines.emplace_back();
    } else {
      lines.back().push_back(c);
    }
  }
  return lines;
}

}  // namespace

struct FreeTypeText::Glyph {
  int mLeft = 0, mTop = 0;  // bitmap's top left from the pen, y upwards
  int mWidth = 0, mRows = 0;
  FT_Vector mAdvance = {0, 0};  // 26.6, y upwards
  std::vector<unsigned char> mCoverage;
};

struct FreeTypeText::SizedFace {
  const vrels::EmbeddedFont* mpFont = nullptr;
  int mSize = 0;
  bool mItalic = false;
  int mOrientation = 0;

  FT_Face mFace = nullptr;
  int mAscent = 0, mDescent = 0;  // pixels
  double mCos = 1, mSin = 0;      // of the orientation
  std::unordered_map<std::uint32_t, Glyph> mGlyphs;

  ~SizedFace() {
    if (mFace) FT_Done_Face(mFace);
  }

  // Scales the face as GDI scales a font asked for by its cell height, and
  // reads the ascent and descent it then reports.
  bool Scale() {
    long ascent = mFace->ascender, descent = -mFace->descender;
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(mFace, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
      ascent = os2->usWinAscent;
      descent = os2->usWinDescent;
    }
    long units = ascent + descent;
    long em = mFace->units_per_EM;
    if (units <= 0 || em <= 0) return false;
    int ppem;
    if (mSize > 0) {
      ppem = RoundMulDiv(em, mSize, units);
      // Rounding up must not make the cell taller than asked for.
      if (ppem > 1 && RoundMulDiv(units, ppem, em) > mSize) --ppem;
    } else {
      ppem = -mSize;
    }
    if (ppem < 1 || FT_Set_Pixel_Sizes(mFace, 0, ppem) != 0) return false;
    mAscent = RoundMulDiv(ascent, ppem, em);
    mDescent = RoundMulDiv(descent, ppem, em);

    double angle = mOrientation * PI / 180.0;
    mCos = std::cos(angle);
    mSin = std::sin(angle);
    double slant = mItalic ? ITALIC_SLANT : 0.0;
    // Rotation after the slant, in FreeType's y-upwards coordinates.
    FT_Matrix matrix;
    matrix.xx = static_cast<FT_Fixed>(std::lround(mCos * FIXED_ONE));
    matrix.xy = static_cast<FT_Fixed>(std::lround((mCos * slant - mSin) * FIXED_ONE));
    matrix.yx = static_cast<FT_Fixed>(std::lround(mSin * FIXED_ONE));
    matrix.yy = static_cast<FT_Fixed>(std::lround((mSin * slant + mCos) * FIXED_ONE));
    FT_Set_Transform(mFace, &matrix, nullptr);
    return true;
  }

  // The rendered glyph of a character; a character the font lacks shows
  // the font's missing-glyph box, as GDI shows it.
  const Glyph& GlyphFor(std::uint32_t c) {
    auto found = mGlyphs.find(c);
    if (found != mGlyphs.end()) return found->second;
    Glyph& glyph = mGlyphs[c];
    FT_UInt index = FT_Get_Char_Index(mFace, c);
    if (FT_Load_Glyph(mFace, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0) return glyph;
    FT_GlyphSlot slot = mFace->glyph;
    glyph.mAdvance = slot->advance;
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return glyph;
    glyph.mLeft = slot->bitmap_left;
    glyph.mTop = slot->bitmap_top;
    glyph.mWidth = static_cast<int>(bitmap.width);
    glyph.mRows = static_cast<int>(bitmap.rows);
    glyph.mCoverage.resize(static_cast<std::size_t>(glyph.mWidth) * glyph.mRows);
    int stride = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
    for (int row = 0; row < glyph.mRows; ++row) {
      // A negative pitch stores the rows bottom-up.
      int from = bitmap.pitch < 0 ? glyph.mRows - 1 - row : row;
      std::memcpy(&glyph.mCoverage[static_cast<std::size_t>(row) * glyph.mWidth],
                  bitmap.buffer + static_cast<std::ptrdiff_t>(from) * stride, glyph.mWidth);
    }
    return glyph;
  }

  // The line's length in whole pixels along its baseline.
  int LineWidth(const std::vector<std::uint32_t>& line) {
    FT_Pos x = 0, y = 0;
    for (std::uint32_t c : line) {
      const Glyph& glyph = GlyphFor(c);
      x += glyph.mAdvance.x;
      y += glyph.mAdvance.y;
    }
    double length = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y);
    return static_cast<int>(std::lround(length)) >> SUBPIXEL_SHIFT;
  }
};

FreeTypeText::FreeTypeText() {}

FreeTypeText::~FreeTypeText() {
  mFaces.clear();
  if (mpLibrary) FT_Done_FreeType(mpLibrary);
}

FreeTypeText::SizedFace* FreeTypeText::FaceFor(const Font& font) {
  if (font.mSize == 0) return nullptr;
  if (!mpLibrary) {
    if (mLibraryFailed) return nullptr;
    if (FT_Init_FreeType(&mpLibrary) != 0) {
      mpLibrary = nullptr;
      mLibraryFailed = true;
      return nullptr;
    }
  }
  const vrels::EmbeddedFont* file = vrels::FindEmbeddedFont(font.mName, font.mStyle == STYLE_BOLD);
  if (!file) return nullptr;
  bool italic = font.mStyle == STYLE_ITALIC;
  for (const std::unique_ptr<SizedFace>& face : mFaces) {
    if (face->mpFont == file && face->mSize == font.mSize && face->mItalic == italic &&
        face->mOrientation == font.mOrientation)
      return face.get();
  }
  std::unique_ptr<SizedFace> face(new SizedFace);
  face->mpFont = file;
  face->mSize = font.mSize;
  face->mItalic = italic;
  face->mOrientation = font.mOrientation;
  if (FT_New_Memory_Face(mpLibrary, file->mpBytes, static_cast<FT_Long>(file->mSize), 0, &face->mFace) != 0) {
    face->mFace = nullptr;
    return nullptr;
  }
  if (!face->Scale()) return nullptr;
  mFaces.push_back(std::move(face));
  return mFaces.back().get();
}

bool FreeTypeText::Metrics(const Font& font, int* ascent, int* cellHeight) {
  SizedFace* face = FaceFor(font);
  if (!face) return false;
  if (ascent) *ascent = face->mAscent;
  if (cellHeight) *cellHeight = face->mAscent + face->mDescent;
  return true;
}

bool FreeTypeText::Measure(const Font& font, const char* text, int* width, int* height) {
  SizedFace* face = FaceFor(font);
  if (!face) return false;
  std::vector<std::vector<std::uint32_t>> lines = SplitLines(text ? text : "");
  int widest = 0;
  for (const std::vector<std::uint32_t>& line : lines) widest = std::max(widest, face->LineWidth(line));
  if (width) *width = widest;
  if (height) *height = static_cast<int>(lines.size()) * (face->mAscent + face->mDescent);
  return true;
}

bool FreeTypeText::Draw(LICE_IBitmap* dest, const Font& font, LICE_pixel colour, int align, const char* text,
                        const Box& rect, const Box& clip) {
  if (!text || !*text) return true;
  SizedFace* face = FaceFor(font);
  if (!face) return false;
  if (!dest || !dest->GetBits()) return true;

  LICE_pixel* bits = dest->GetBits();
  int span = dest->GetRowSpan();
  int clipL = std::max(clip.mL, 0), clipT = std::max(clip.mT, 0);
  int clipR = std::min(clip.mR, dest->GetWidth()), clipB = std::min(clip.mB, dest->GetHeight());
  LICE_pixel ink = colour | 0xFF000000u;
  const int lineHeight = face->mAscent + face->mDescent;

  int top = rect.mT;
  for (const std::vector<std::uint32_t>& line : SplitLines(text)) {
    int width = align == kAlignLeft ? 0 : face->LineWidth(line);
    int left = align == kAlignCentre  ? (rect.mL + rect.mR - width) / 2
               : align == kAlignRight ? rect.mR - width
                                      : rect.mL;
    // The baseline's start: the ascent below the cell's top left, turned
    // with the text about that corner (screen y runs downwards).
    FT_Pos penX = (static_cast<FT_Pos>(left) << SUBPIXEL_SHIFT) +
                  std::lround(face->mAscent * face->mSin * (1 << SUBPIXEL_SHIFT));
    FT_Pos penY = (static_cast<FT_Pos>(top) << SUBPIXEL_SHIFT) +
                  std::lround(face->mAscent * face->mCos * (1 << SUBPIXEL_SHIFT));
    for (std::uint32_t c : line) {
      const Glyph& glyph = face->GlyphFor(c);
      int x0 = static_cast<int>((penX + SUBPIXEL_HALF) >> SUBPIXEL_SHIFT) + glyph.mLeft;
      int y0 = static_cast<int>((penY + SUBPIXEL_HALF) >> SUBPIXEL_SHIFT) - glyph.mTop;
      int fromX = std::max(x0, clipL), toX = std::min(x0 + glyph.mWidth, clipR);
      int fromY = std::max(y0, clipT), toY = std::min(y0 + glyph.mRows, clipB);
      for (int y = fromY; y < toY; ++y) {
        const unsigned char* coverage = &glyph.mCoverage[static_cast<std::size_t>(y - y0) * glyph.mWidth];
        LICE_pixel* row = bits + static_cast<std::ptrdiff_t>(y) * span;
        for (int x = fromX; x < toX; ++x) {
          int cover = coverage[x - x0];
          if (cover == 0) continue;
          // Coverage 0..255 as a weight 0..256.
          row[x] = lice::Blender<LICE_BLIT_MODE_COPY, false>::Apply(row[x], ink, cover + (cover >> 7));
        }
      }
      penX += glyph.mAdvance.x;
      penY -= glyph.mAdvance.y;
    }
    top += lineHeight;
  }
  return true;
}
