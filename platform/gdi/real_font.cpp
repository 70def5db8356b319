#include "gdi/real_font.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <mutex>
#include <string>
#include <tuple>

#include "handset/text.h"

namespace handset::gdi {
namespace {

// The height of lfHeight 0, "a reasonable default size".
constexpr double kDefaultEmSize = 12;

struct Alias {
  std::u16string_view face;
  const char* family;
};
// Faces of the device's fonts that stand for a generic family here.
constexpr std::array<Alias, 9> kAliases{{{u"System", "sans-serif"},
                                         {u"Tahoma", "sans-serif"},
                                         {u"MS Sans Serif", "sans-serif"},
                                         {u"Segoe UI", "sans-serif"},
                                         {u"Arial", "sans-serif"},
                                         {u"Courier New", "monospace"},
                                         {u"Courier", "monospace"},
                                         {u"Times New Roman", "serif"},
                                         {u"Times", "serif"}}};

bool SameFace(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
           auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
           return lower(x) == lower(y);
         });
}

cairo_font_face_t* MatchFace(const LOGFONTW& font) {
  std::u16string_view face(font.lfFaceName);
  FcPattern* pattern = FcPatternCreate();
  auto alias = std::find_if(kAliases.begin(), kAliases.end(), [&](const Alias& a) { return SameFace(a.face, face); });
  if (alias != kAliases.end()) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(alias->family));
  } else {
    if (!face.empty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(Utf8(face).c_str()));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  }
  int weight = font.lfWeight <= 0 ? FW_NORMAL : std::min<int>(font.lfWeight, 1000);
  FcPatternAddDouble(pattern, FC_WEIGHT, FcWeightFromOpenTypeDouble(weight));
  FcPatternAddInteger(pattern, FC_SLANT, font.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  cairo_font_face_t* cairoFace = match ? cairo_ft_font_face_create_for_pattern(match)
                                       : cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL,
                                                                    CAIRO_FONT_WEIGHT_NORMAL);
  if (match) FcPatternDestroy(match);
  return cairoFace;
}

cairo_scaled_font_t* Scale(cairo_font_face_t* face, double xScale, double yScale, cairo_font_options_t* options) {
  cairo_matrix_t matrix, identity;
  cairo_matrix_init_scale(&matrix, xScale, yScale);
  cairo_matrix_init_identity(&identity);
  return cairo_scaled_font_create(face, &matrix, &identity, options);
}

// Extents of the font's design at a large size, without hinting: the shape the sizes come from.
struct Design {
  double cellPerEm;     // (ascent + descent) / em
  double averagePerEm;  // the advance of "x" / em
};

Design MeasureDesign(cairo_font_face_t* face) {
  constexpr double kSize = 1000;
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_scaled_font_t* scaled = Scale(face, kSize, kSize, options);
  cairo_font_extents_t font;
  cairo_text_extents_t x;
  cairo_scaled_font_extents(scaled, &font);
  cairo_scaled_font_text_extents(scaled, "x", &x);
  cairo_scaled_font_destroy(scaled);
  cairo_font_options_destroy(options);
  double cell = font.ascent + font.descent;
  return {cell > 0 ? cell / kSize : 1.0, x.x_advance > 0 ? x.x_advance / kSize : 0.5};
}

}  // namespace

std::shared_ptr<const RealFont> RealFont::For(const LOGFONTW& font) {
  using Key = std::tuple<LONG, LONG, LONG, BYTE, BYTE, BYTE, BYTE, std::u16string>;
  static std::mutex mutex;
  static auto* cache = new std::map<Key, std::shared_ptr<const RealFont>>;  // kept to the end
  Key key{font.lfHeight, font.lfWidth,  font.lfWeight,  font.lfItalic,
          font.lfUnderline, font.lfStrikeOut, font.lfQuality, std::u16string(font.lfFaceName)};
  std::lock_guard lock(mutex);
  auto& slot = (*cache)[key];
  if (!slot) slot = std::make_shared<RealFont>(font);
  return slot;
}

RealFont::RealFont(const LOGFONTW& font)
    : underline_(font.lfUnderline != 0), strikeOut_(font.lfStrikeOut != 0) {
  cairo_font_face_t* face = MatchFace(font);
  Design design = MeasureDesign(face);
  double em = font.lfHeight < 0   ? -static_cast<double>(font.lfHeight)
              : font.lfHeight > 0 ? font.lfHeight / design.cellPerEm
                                  : kDefaultEmSize;
  double xScale = font.lfWidth > 0 ? font.lfWidth / design.averagePerEm : em;

  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(
      options, font.lfQuality == NONANTIALIASED_QUALITY ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  scaled_ = Scale(face, xScale, em, options);
  cairo_font_options_destroy(options);
  cairo_font_face_destroy(face);

  cairo_font_extents_t extents;
  cairo_scaled_font_extents(scaled_, &extents);
  ascent_ = static_cast<int>(std::lround(extents.ascent));
  descent_ = static_cast<int>(std::lround(extents.descent));
  emSize_ = static_cast<int>(std::lround(em));
  internalLeading_ = std::max(0, Height() - emSize_);
  maxCharWidth_ = static_cast<int>(std::lround(extents.max_x_advance));
  aveCharWidth_ = Width(u"x");
}

RealFont::~RealFont() { cairo_scaled_font_destroy(scaled_); }

int RealFont::Width(std::u16string_view text) const {
  if (text.empty()) return 0;
  cairo_text_extents_t extents;
  cairo_scaled_font_text_extents(scaled_, Utf8(text).c_str(), &extents);
  return static_cast<int>(std::lround(extents.x_advance));
}

}  // namespace handset::gdi
