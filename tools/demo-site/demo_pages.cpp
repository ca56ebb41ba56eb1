#include "demo_pages.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace demo_pages {
namespace {

std::string percent_decode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::strtol(std::string(text.substr(i + 1, 2)).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string percent_encode(std::string_view text) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        out += '%';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string html_escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '&': out += "&amp;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

const char* const kinds[] = {"高清", "1080p", "国语中字", "BluRay", "蓝光原盘"};

std::string title_of(std::string_view keyword, int page, int index) {
    const int number = (page - 1) * results_per_page + index + 1;
    return std::string(keyword) + " " + kinds[number % std::size(kinds)] + " 第" +
           std::to_string(number) + "部";
}

std::string head(std::string_view title) {
    return "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>" + html_escape(title) +
           "</title></head>\r\n<body>\r\n";
}

}  // namespace

std::string result_page(std::string_view site, std::string_view keyword, int page) {
    std::string out = head(std::string(keyword) + " - 搜索结果");
    out += "<div class=\"nav\"><a href=\"/\">首页</a></div>\r\n";
    if (page < 1 || page > result_pages) {
        return out + "<p>没有找到相关结果</p>\r\n</body></html>\r\n";
    }
    // Results stand in one list whose items follow each other directly, the
    // layout the program reads; the last item and the "broken" one below are
    // written so that the program must not list them.
    out += "<ul class=\"list\">";
    for (int index = 0; index < results_per_page; ++index) {
        const std::string id = std::to_string(page) + "-" + std::to_string(index + 1);
        // A line break may stand inside an item, before its anchor.
        out += index == 10 ? "<li>\r\n" : "<li>";
        out += "<a href=\"" + std::string(site) + "/d/" + id + ".html\">" +
               html_escape(title_of(keyword, page, index)) + "</a></li>";
    }
    out += "<li><a href=\"" + std::string(site) + "/d/ad.html\">广告 不是结果</a></li></ul>\r\n";
    out += "<ul><li><a href=\"/broken\">跨行\r\n的标题</a></li><li>end</li></ul>\r\n";
    out += "<p>共" + std::to_string(result_pages * results_per_page) + "条 100%匹配</p>\r\n";
    return out + "</body></html>\r\n";
}

std::string detail_page(std::string_view id) {
    const std::string name = "澄岚演示 " + std::string(id);
    std::string hash = "c0ffee";
    for (char c : id) hash += (c >= '0' && c <= '9') ? c : 'e';
    while (hash.size() < 40) hash += '0';
    const std::string magnet = "magnet:?xt=urn:btih:" + hash + "&dn=" + percent_encode(name);
    std::string out = head(name);
    out += "<h1>" + html_escape(name) + "</h1>\r\n<p>";
    out += "<a href=\"/play/" + std::string(id) + "\">BTUP在线观看</a>\r\n";
    out += "<a href=\"" + magnet + "\">磁力链接</a></p>\r\n";
    return out + "</body></html>\r\n";
}

std::string notice_page(std::string_view site, std::string_view version) {
    return head("公告") + "<p>【墨川开始】" + std::string(version) + "【墨川结束】" +
           std::string(site) + "/download/【墨川地址】</p>\r\n</body></html>\r\n";
}

std::string page_for(std::string_view site, std::string_view target, std::string_view notice_version) {
    if (target.starts_with("/s/")) {
        // "/s/KEYWORD/PAGE/"
        const std::string_view rest = target.substr(3);
        const auto slash = rest.find('/');
        if (slash == std::string_view::npos) return {};
        const std::string keyword = percent_decode(rest.substr(0, slash));
        const int page = std::atoi(std::string(rest.substr(slash + 1)).c_str());
        return result_page(site, keyword, page);
    }
    if (target.starts_with("/d/") && target.ends_with(".html")) {
        return detail_page(target.substr(3, target.size() - 3 - 5));
    }
    if (target == "/notice.html") return notice_page(site, notice_version);
    if (target == "/" || target.starts_with("/download/")) {
        return head("澄岚演示站") + "<p>澄岚的演示站点。</p></body></html>\r\n";
    }
    return {};
}

}  // namespace demo_pages
