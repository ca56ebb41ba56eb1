#pragma once

#include <compare>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

// Bytes: a counted byte sequence. Raw HTTP bodies and UTF-16 data travel in it;
// it may hold zero bytes anywhere.
class Bytes {
public:
    Bytes() = default;
    explicit Bytes(std::string bytes) : data_(std::move(bytes)) {}
    explicit Bytes(std::string_view bytes) : data_(bytes) {}
    Bytes(const void* data, std::size_t size) : data_(static_cast<const char*>(data), size) {}

    [[nodiscard]] const char* data() const { return data_.data(); }
    [[nodiscard]] char* data() { return data_.data(); }
    [[nodiscard]] std::size_t size() const { return data_.size(); }
    [[nodiscard]] bool empty() const { return data_.empty(); }
    [[nodiscard]] std::string_view view() const { return data_; }
    [[nodiscard]] const std::string& str() const { return data_; }
    std::string& storage() { return data_; }

    void append(const void* data, std::size_t size) {
        data_.append(static_cast<const char*>(data), size);
    }
    void clear() { data_.clear(); }

    friend bool operator==(const Bytes&, const Bytes&) = default;

private:
    std::string data_;
};

// Text: a GBK byte string that ends at its first zero byte. The empty text and
// a missing text are the same value; every constructor cuts at the first NUL,
// so no Text ever holds one.
class Text {
public:
    Text() = default;
    Text(const char* s) : data_(s ? s : "") {}  // NOLINT: literals read as texts
    explicit Text(std::string_view s) : data_(s.substr(0, s.find('\0'))) {}
    explicit Text(std::string&& s) : data_(std::move(s)) { cut_at_nul(); }
    explicit Text(const std::string& s) : Text(std::string_view(s)) {}
    // The bytes up to the first zero byte, or all of them when there is none.
    explicit Text(const Bytes& bytes) : Text(bytes.view()) {}

    [[nodiscard]] const char* c_str() const { return data_.c_str(); }
    [[nodiscard]] const char* data() const { return data_.data(); }
    [[nodiscard]] std::size_t size() const { return data_.size(); }
    [[nodiscard]] bool empty() const { return data_.empty(); }
    [[nodiscard]] std::string_view view() const { return data_; }
    [[nodiscard]] const std::string& str() const { return data_; }
    // Its bytes without the terminating zero.
    [[nodiscard]] Bytes to_bytes() const { return Bytes(data_); }

    [[nodiscard]] unsigned char byte(std::size_t index) const {
        return static_cast<unsigned char>(data_[index]);
    }

    Text& operator+=(const Text& other) {
        data_ += other.data_;
        return *this;
    }
    friend Text operator+(Text left, const Text& right) { return left += right; }

    friend bool operator==(const Text&, const Text&) = default;
    friend auto operator<=>(const Text&, const Text&) = default;

private:
    void cut_at_nul() {
        if (auto nul = data_.find('\0'); nul != std::string::npos) data_.resize(nul);
    }

    std::string data_;
};
