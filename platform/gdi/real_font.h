// A font realised for drawing: the installed font that fontconfig finds for a LOGFONTW, scaled to
// its pixel height, with the metrics GDI reports in whole pixels. Windows face names the handset
// does not have ("Tahoma", "System", ...) fall back to the installed sans-serif family.
#pragma once

#include <cairo.h>

#include <memory>
#include <string_view>

#include <windows.h>

namespace handset::gdi {

class RealFont {
 public:
  // Made once per distinct description and kept for the process: installed fonts do not change.
  static std::shared_ptr<const RealFont> For(const LOGFONTW& font);

  RealFont(const LOGFONTW& font);
  ~RealFont();
  RealFont(const RealFont&) = delete;
  RealFont& operator=(const RealFont&) = delete;

  cairo_scaled_font_t* Scaled() const { return scaled_; }
  int Ascent() const { return ascent_; }
  int Descent() const { return descent_; }
  int Height() const { return ascent_ + descent_; }
  int InternalLeading() const { return internalLeading_; }
  int AveCharWidth() const { return aveCharWidth_; }
  int MaxCharWidth() const { return maxCharWidth_; }
  int EmSize() const { return emSize_; }
  bool Underline() const { return underline_; }
  bool StrikeOut() const { return strikeOut_; }
  // The advance of a line of text, in pixels.
  int Width(std::u16string_view text) const;

 private:
  cairo_scaled_font_t* scaled_ = nullptr;
  int ascent_ = 0;
  int descent_ = 0;
  int internalLeading_ = 0;
  int aveCharWidth_ = 0;
  int maxCharWidth_ = 0;
  int emSize_ = 0;
  bool underline_ = false;
  bool strikeOut_ = false;
};

}  // namespace handset::gdi
