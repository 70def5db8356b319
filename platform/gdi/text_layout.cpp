#include "gdi/text_layout.h"

#include <utility>

namespace handset::gdi {
namespace {

constexpr std::u16string_view kEllipsis = u"...";
constexpr int kTabColumns = 8;

struct Marked {
  std::u16string text;
  int underline = -1;
};

// "&x" marks x (underlined when drawn); "&&" stands for one "&"; a lone "&" at the end goes.
Marked StripPrefixes(std::u16string_view text) {
  Marked out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'&') {
      out.text += text[i];
    } else if (i + 1 < text.size()) {
      if (text[i + 1] != u'&') out.underline = static_cast<int>(out.text.size());
      out.text += text[++i];
    }
  }
  return out;
}

// Tabs become spaces up to the next stop of eight columns.
Marked ExpandTabs(const Marked& in) {
  Marked out;
  int column = 0;
  for (std::size_t i = 0; i < in.text.size(); ++i) {
    char16_t c = in.text[i];
    if (static_cast<int>(i) == in.underline) out.underline = static_cast<int>(out.text.size());
    if (c == u'\t') {
      do {
        out.text += u' ';
      } while (++column % kTabColumns != 0);
    } else {
      out.text += c;
      column = c == u'\n' || c == u'\r' ? 0 : column + 1;
    }
  }
  return out;
}

// A single line shows no line breaks.
Marked JoinLines(const Marked& in) {
  Marked out;
  for (std::size_t i = 0; i < in.text.size(); ++i) {
    if (in.text[i] == u'\r' || in.text[i] == u'\n') continue;
    if (static_cast<int>(i) == in.underline) out.underline = static_cast<int>(out.text.size());
    out.text += in.text[i];
  }
  return out;
}

// Paragraphs as [start, end) ranges of the text, split at CR LF, LF or CR.
std::vector<std::pair<std::size_t, std::size_t>> Paragraphs(std::u16string_view text) {
  std::vector<std::pair<std::size_t, std::size_t>> ranges;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    ranges.emplace_back(start, i);
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  ranges.emplace_back(start, text.size());
  return ranges;
}

// Greedy breaking between words: each line takes as many words as fit; a word wider than the
// rectangle stands alone on its line. Spaces where a line breaks are dropped.
void BreakWords(std::u16string_view text, std::size_t offset, int maxWidth, const RealFont& font,
                std::vector<std::pair<std::size_t, std::size_t>>& lines) {
  std::size_t lineStart = 0, lineEnd = 0, i = 0;
  bool empty = true;
  while (i < text.size()) {
    std::size_t wordEnd = i;
    while (wordEnd < text.size() && text[wordEnd] != u' ') ++wordEnd;
    std::size_t next = wordEnd;
    while (next < text.size() && text[next] == u' ') ++next;
    if (!empty && font.Width(text.substr(lineStart, wordEnd - lineStart)) > maxWidth) {
      lines.emplace_back(offset + lineStart, offset + lineEnd);
      lineStart = i;
    }
    lineEnd = wordEnd;
    empty = false;
    i = next;
  }
  lines.emplace_back(offset + lineStart, offset + (empty ? lineStart : lineEnd));
}

// Cuts a line that is too wide character by character and ends what is left with an ellipsis.
void Ellipsize(TextLine& line, int maxWidth, const RealFont& font) {
  std::u16string kept = line.text;
  while (!kept.empty() && font.Width(kept + std::u16string(kEllipsis)) > maxWidth) kept.pop_back();
  if (line.underline >= static_cast<int>(kept.size())) line.underline = -1;
  line.text = kept + std::u16string(kEllipsis);
  line.width = font.Width(line.text);
}

}  // namespace

TextLayout LayOutText(std::u16string_view text, UINT format, int maxWidth, const RealFont& font) {
  Marked marked = format & DT_NOPREFIX ? Marked{std::u16string(text), -1} : StripPrefixes(text);
  if (format & DT_EXPANDTABS) marked = ExpandTabs(marked);
  if (format & DT_SINGLELINE) marked = JoinLines(marked);
  const std::u16string& full = marked.text;
  int underline = marked.underline;

  std::vector<std::pair<std::size_t, std::size_t>> ranges;
  for (auto [start, end] : Paragraphs(full)) {
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE))
      BreakWords(std::u16string_view(full).substr(start, end - start), start, maxWidth, font, ranges);
    else
      ranges.emplace_back(start, end);
  }

  TextLayout layout;
  layout.lineHeight = font.Height();
  if (full.empty()) return layout;
  for (auto [start, end] : ranges) {
    TextLine line;
    line.text = full.substr(start, end - start);
    line.width = font.Width(line.text);
    if (underline >= static_cast<int>(start) && underline < static_cast<int>(end))
      line.underline = underline - static_cast<int>(start);
    // A word ellipsis cuts the word that crosses the edge, as an end ellipsis does the line.
    if (line.width > maxWidth && (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))) Ellipsize(line, maxWidth, font);
    layout.width = std::max(layout.width, line.width);
    layout.lines.push_back(std::move(line));
  }
  return layout;
}

}  // namespace handset::gdi
