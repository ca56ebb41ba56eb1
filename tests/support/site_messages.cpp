#include "site_messages.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

namespace test_site {
namespace {

bool same_name(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string_view strip_blanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::string_view chop_line_end(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

const char* usual_reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 204:
            return "No Content";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 303:
            return "See Other";
        case 307:
            return "Temporary Redirect";
        case 401:
            return "Unauthorized";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

}  // namespace

std::optional<std::string> Request::header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (same_name(key, name)) return value;
    }
    return std::nullopt;
}

std::string Request::header_text() const {
    std::string_view rest(head);
    rest.remove_prefix(std::min(rest.size(), rest.find('\n') + 1));
    // Drop the closing empty line and the line end before it.
    if (rest.ends_with("\r\n\r\n")) {
        rest.remove_suffix(4);
    } else if (rest.ends_with("\n\n")) {
        rest.remove_suffix(2);
    } else {
        return {};
    }
    return std::string(rest);
}

Reply page(std::string body, int status) {
    Reply reply;
    reply.status = status;
    reply.headers = {"Content-Type: text/html"};
    reply.body = std::move(body);
    return reply;
}

Reply redirect(std::string location, int status) {
    Reply reply;
    reply.status = status;
    reply.headers = {"Location: " + location};
    return reply;
}

namespace detail {

std::optional<Request> take_request(std::string& buffer) {
    // The head ends at the first empty line, whichever line end it uses.
    std::size_t head_size = std::string::npos;
    if (std::size_t crlf = buffer.find("\r\n\r\n"); crlf != std::string::npos) head_size = crlf + 4;
    if (std::size_t lf = buffer.find("\n\n"); lf != std::string::npos) {
        head_size = std::min(head_size, lf + 2);
    }
    if (head_size == std::string::npos) return std::nullopt;

    Request request;
    request.head = buffer.substr(0, head_size);
    std::string_view lines(request.head);
    std::size_t line_end = lines.find('\n');
    std::string_view request_line = chop_line_end(lines.substr(0, line_end));
    lines.remove_prefix(line_end + 1);

    std::size_t first_space = request_line.find(' ');
    std::size_t last_space = request_line.rfind(' ');
    if (first_space != std::string_view::npos) {
        request.method = request_line.substr(0, first_space);
        if (last_space > first_space) {
            request.target = request_line.substr(first_space + 1, last_space - first_space - 1);
            request.version = request_line.substr(last_space + 1);
        } else {
            request.target = request_line.substr(first_space + 1);
        }
    }

    std::size_t body_size = 0;
    while (!lines.empty()) {
        line_end = lines.find('\n');
        std::string_view line = chop_line_end(lines.substr(0, line_end));
        lines.remove_prefix(std::min(lines.size(), line_end + 1));
        if (line.empty()) break;
        std::size_t colon = line.find(':');
        std::string_view name = line.substr(0, colon);
        std::string_view value = colon == std::string_view::npos
                                     ? std::string_view{}
                                     : strip_blanks(line.substr(colon + 1));
        request.headers.emplace_back(std::string(name), std::string(value));
        if (same_name(name, "Content-Length")) {
            std::from_chars(value.data(), value.data() + value.size(), body_size);
        }
    }

    if (buffer.size() < head_size + body_size) return std::nullopt;
    request.body = buffer.substr(head_size, body_size);
    buffer.erase(0, head_size + body_size);
    return request;
}

std::string reply_head(const Reply& reply) {
    std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " +
                       (reply.reason.empty() ? usual_reason(reply.status) : reply.reason) + "\r\n";
    for (const std::string& line : reply.headers) head += line + "\r\n";
    if (reply.content_length && reply.fault != Fault::endless_body) {
        head += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
    }
    head += "\r\n";
    return head;
}

}  // namespace detail
}  // namespace test_site
