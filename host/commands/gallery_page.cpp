#include "commands/gallery_page.h"

#include <fstream>
#include <iterator>
#include <string>

#include "host_context.h"

namespace vlmhost {
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

}  // namespace

void WriteGalleryPage(const std::filesystem::path& folder, const std::vector<ScreenRow>& rows) {
  std::ofstream html(folder / "index.html", std::ios::trunc);
  html << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Options screen</title>\n"
          "<style>body{font-family:sans-serif}table{border-collapse:collapse}td,th{border:1px solid #ccc;"
          "padding:6px;vertical-align:top;text-align:center}img{display:block;margin:auto}</style></head><body>\n"
          "<h1>Options screen: every page, size and look, and the forwarding screens</h1>\n<table>\n"
          "<tr><th>screen</th><th>look</th>";
  for (const auto& size : kScreenSizes) html << "<th>" << size.width << " x " << size.height << "</th>";
  html << "</tr>\n";
  for (const ScreenRow& row : rows) {
    html << "<tr><th>" << HtmlEscape(row.title) << "</th><th>" << HtmlEscape(row.look) << "</th>";
    for (int sizeIndex = 0; sizeIndex < static_cast<int>(std::size(kScreenSizes)); ++sizeIndex) {
      auto found = row.files.find(sizeIndex);
      if (found == row.files.end()) {
        html << "<td>-</td>";
        continue;
      }
      html << "<td><img src=\"" << HtmlEscape(found->second) << "\" alt=\"" << HtmlEscape(found->second) << "\"><br>"
           << HtmlEscape(found->second) << "</td>";
    }
    html << "</tr>\n";
  }
  html << "</table>\n</body></html>\n";
  html.close();  // what is still buffered can fail too
  if (!html) throw CommandError("screens: cannot write " + (folder / "index.html").string());
}

}  // namespace vlmhost
