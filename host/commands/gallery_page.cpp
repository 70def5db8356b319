#include "commands/gallery_page.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "host_context.h"

namespace vlmhost {

std::string SizeName(const handset::screen::Size& size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}

namespace {

std::string HtmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// CSS pixels are 96 to the inch: a picture shown at `pixels` * 96 / dpi is the phone's own size.
std::string Physical(int pixels, int dpi) { return std::to_string(pixels * 96 / dpi) + "px"; }

// A red box over the window a finding is about, cut to the picture, with the detail on hover.
void WriteMark(std::ofstream& html, const Picture& picture, const MarkedFinding& finding) {
  LONG left = std::clamp<LONG>(finding.rect.left, 0, picture.width);
  LONG top = std::clamp<LONG>(finding.rect.top, 0, picture.height);
  LONG right = std::clamp<LONG>(finding.rect.right, 0, picture.width);
  LONG bottom = std::clamp<LONG>(finding.rect.bottom, 0, picture.height);
  html << "<span class=\"mark\" style=\"left:" << Physical(left, picture.dpi) << ";top:" << Physical(top, picture.dpi)
       << ";width:" << Physical(std::max<LONG>(right - left, 2), picture.dpi)
       << ";height:" << Physical(std::max<LONG>(bottom - top, 2), picture.dpi) << "\" title=\""
       << HtmlEscape(finding.kind + ": " + finding.detail) << "\"></span>";
}

void WritePicture(std::ofstream& html, int sizeIndex, const Picture& picture, bool audited) {
  html << "<figure data-size=\"" << SizeName(kScreenSizes[sizeIndex]) << "\" data-findings=\"" << picture.findings.size()
       << "\"><a href=\"" << HtmlEscape(picture.file) << "\" class=\"shot\" style=\"width:"
       << Physical(picture.width, picture.dpi) << ";height:" << Physical(picture.height, picture.dpi) << "\"><img src=\""
       << HtmlEscape(picture.file) << "\" alt=\"" << HtmlEscape(picture.file) << "\">";
  for (const MarkedFinding& finding : picture.findings) WriteMark(html, picture, finding);
  html << "</a><figcaption>" << kScreenSizes[sizeIndex].width << " x " << kScreenSizes[sizeIndex].height;
  if (picture.dpi != 96) html << " (" << picture.dpi << " dpi, half scale)";
  html << "</figcaption>";
  if (audited && !picture.findings.empty()) {
    html << "<ul class=\"findings\">";
    for (const MarkedFinding& finding : picture.findings)
      html << "<li><b>" << HtmlEscape(finding.kind) << "</b> " << HtmlEscape(finding.detail) << "</li>";
    html << "</ul>";
  }
  html << "</figure>";
}

constexpr const char* kStyle =
    "body{font-family:sans-serif;margin:12px}header{position:sticky;top:0;background:#fff;padding:6px 0;"
    "border-bottom:1px solid #ccc;z-index:2}label{margin-right:12px}section{border-bottom:1px solid #eee;"
    "padding:6px 0}h2{font-size:15px;margin:4px 0}.pictures{display:flex;flex-wrap:wrap;gap:14px;"
    "align-items:flex-start}figure{margin:0;max-width:420px}.shot{position:relative;display:block;"
    "border:1px solid #888}.shot img{width:100%;height:100%;display:block}.mark{position:absolute;"
    "border:2px solid red;box-sizing:border-box;background:rgba(255,0,0,.12)}figcaption{font-size:12px;"
    "color:#555}.findings{font-size:11px;color:#b00;padding-left:16px;margin:2px 0}[hidden]{display:none}";

// Fills each filter with the values the page shows and hides what a filter leaves out.
constexpr const char* kScript = R"(
const filters = ['page', 'look', 'language', 'state', 'size', 'findings'];
const sections = [...document.querySelectorAll('section')];
for (const name of filters.slice(0, 5)) {
  const select = document.getElementById(name);
  const values = new Set();
  for (const element of document.querySelectorAll('[data-' + name + ']')) values.add(element.dataset[name]);
  for (const value of values) select.add(new Option(value, value));
}
function apply() {
  const chosen = Object.fromEntries(filters.map(name => [name, document.getElementById(name).value]));
  for (const section of sections) {
    let shown = 0;
    for (const figure of section.querySelectorAll('figure')) {
      const findings = Number(figure.dataset.findings);
      const hidden = (chosen.size && figure.dataset.size !== chosen.size) ||
                     (chosen.findings === 'with' && findings === 0) || (chosen.findings === 'without' && findings > 0);
      figure.hidden = hidden;
      if (!hidden) ++shown;
    }
    section.hidden = shown === 0 || ['page', 'look', 'language', 'state'].some(
        name => chosen[name] && section.dataset[name] !== chosen[name]);
  }
}
for (const name of filters) document.getElementById(name).addEventListener('change', apply);
)";

}  // namespace

void WriteGalleryPage(const std::filesystem::path& folder, const std::vector<ScreenRow>& rows, bool audited) {
  std::ofstream html(folder / "index.html", std::ios::trunc);
  std::size_t pictures = 0, findings = 0;
  for (const ScreenRow& row : rows)
    for (const auto& [sizeIndex, picture] : row.pictures) {
      ++pictures;
      findings += picture.findings.size();
    }
  html << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Options screen</title>\n<style>" << kStyle
       << "</style></head><body>\n<h1>Options screen: every page, size, look, state and language, and the "
          "forwarding screens</h1>\n<header>";
  for (const char* name : {"page", "look", "language", "state", "size"})
    html << "<label>" << name << " <select id=\"" << name << "\"><option value=\"\">all</option></select></label>";
  html << "<label>findings <select id=\"findings\"><option value=\"\">all</option>";
  if (audited) html << "<option value=\"with\">with findings</option><option value=\"without\">without</option>";
  html << "</select></label><span>" << pictures << " pictures";
  if (audited) html << ", " << findings << " findings";
  html << "; each at the phone's own size, a click away from its full picture</span></header>\n";
  for (const ScreenRow& row : rows) {
    html << "<section data-page=\"" << HtmlEscape(row.title) << "\" data-look=\"" << HtmlEscape(row.look)
         << "\" data-language=\"" << HtmlEscape(row.language) << "\" data-state=\"" << HtmlEscape(row.state)
         << "\"><h2>" << HtmlEscape(row.title) << " &middot; " << HtmlEscape(row.look) << " &middot; "
         << HtmlEscape(row.state) << " &middot; " << HtmlEscape(row.language) << "</h2><div class=\"pictures\">";
    for (const auto& [sizeIndex, picture] : row.pictures) WritePicture(html, sizeIndex, picture, audited);
    html << "</div></section>\n";
  }
  html << "<script>" << kScript << "</script>\n</body></html>\n";
  html.close();  // what is still buffered can fail too
  if (!html) throw CommandError("screens: cannot write " + (folder / "index.html").string());
}

}  // namespace vlmhost
