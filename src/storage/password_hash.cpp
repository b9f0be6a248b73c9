#include "storage/password_hash.h"

#include <charconv>

#include "storage/password_crypto.h"

namespace vallora {

namespace {

constexpr std::string_view kScheme = "pbkdf2-sha256";
constexpr char kHexDigits[] = "0123456789abcdef";

template <std::size_t N>
void AppendHex(std::string& text, const std::array<std::uint8_t, N>& bytes) {
    for (const std::uint8_t byte : bytes) {
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 0xF];
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

template <std::size_t N>
bool ParseHex(std::string_view text, std::array<std::uint8_t, N>& bytes) {
    if (text.size() != N * 2) return false;
    for (std::size_t i = 0; i < N; ++i) {
        const int high = HexValue(text[i * 2]);
        const int low = HexValue(text[i * 2 + 1]);
        if (high < 0 || low < 0) return false;
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return true;
}

// The next "$"-separated field; false when there is none.
bool NextField(std::string_view& rest, std::string_view& field) {
    if (rest.data() == nullptr) return false;
    const std::size_t end = rest.find('$');
    field = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return true;
}

}  // namespace

std::string FormatPasswordHash(const PasswordHash& hash) {
    std::string text(kScheme);
    text += '$';
    text += std::to_string(hash.iterations);
    text += '$';
    AppendHex(text, hash.salt);
    text += '$';
    AppendHex(text, hash.key);
    return text;
}

std::optional<PasswordHash> ParsePasswordHash(std::string_view text) {
    std::string_view rest = text;
    std::string_view scheme;
    std::string_view iterations;
    std::string_view salt;
    std::string_view key;
    if (!NextField(rest, scheme) || scheme != kScheme || !NextField(rest, iterations) ||
        !NextField(rest, salt) || !NextField(rest, key) || rest.data() != nullptr) {
        return std::nullopt;
    }
    PasswordHash hash;
    const char* last = iterations.data() + iterations.size();
    const auto [ptr, error] = std::from_chars(iterations.data(), last, hash.iterations);
    if (error != std::errc() || ptr != last || iterations.empty() || hash.iterations == 0 ||
        hash.iterations > kMostPasswordHashIterations || !ParseHex(salt, hash.salt) ||
        !ParseHex(key, hash.key)) {
        return std::nullopt;
    }
    return hash;
}

std::string HashPassword(std::string_view password, std::uint32_t iterations) {
    PasswordHash hash;
    hash.iterations = iterations;
    if (!FillRandomBytes(hash.salt) ||
        !DerivePbkdf2Sha256(password, hash.salt, iterations, hash.key)) {
        return {};
    }
    return FormatPasswordHash(hash);
}

bool VerifyPassword(std::string_view entry, std::string_view hashText) {
    const std::optional<PasswordHash> hash = ParsePasswordHash(hashText);
    if (!hash) return false;
    std::array<std::uint8_t, 32> key{};
    if (!DerivePbkdf2Sha256(entry, hash->salt, hash->iterations, key)) return false;
    std::uint8_t difference = 0;
    for (std::size_t i = 0; i < key.size(); ++i) difference |= key[i] ^ hash->key[i];
    return difference == 0;
}

}  // namespace vallora
