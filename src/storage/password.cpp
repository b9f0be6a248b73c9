#include "storage/password.h"

#include <cstdint>

#include "storage/ini_text.h"

namespace vallora {

std::string EncodePassword(std::string_view password) {
    std::string encoded;
    encoded.reserve(password.size() * 9);
    for (const char c : password) {
        if (!encoded.empty()) encoded += '-';
        encoded += std::to_string(static_cast<int32_t>(static_cast<unsigned char>(c)) * 65793);
    }
    return encoded;
}

std::string DecodePassword(std::string_view encoded, bool* complete) {
    std::string password;
    bool whole = true;
    if (!encoded.empty()) {
        for (size_t start = 0;;) {
            const size_t dash = encoded.find('-', start);
            const std::string_view piece = encoded.substr(start, dash - start);
            const std::optional<int32_t> code = ParseIniInteger(piece);
            if (!code) {
                whole = false;
                break;
            }
            password += static_cast<char>(static_cast<uint32_t>(*code) & 0xFFu);
            if (dash == std::string_view::npos) break;
            start = dash + 1;
        }
    }
    if (complete) *complete = whole;
    return password;
}

}  // namespace vallora
