#pragma once
// The administrator password kept as a hash that cannot be read back:
// "pbkdf2-sha256$<iterations>$<salt, 32 hex digits>$<derived key, 64 hex
// digits>", PBKDF2 with HMAC-SHA256 over the password's ANSI bytes, 16 random
// bytes of salt and a 32-byte key.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vallora {

inline constexpr std::uint32_t kPasswordHashIterations = 200000;
// A hash that asks for more work than this is refused, so a damaged
// definition cannot make a password check take minutes.
inline constexpr std::uint32_t kMostPasswordHashIterations = 10000000;

struct PasswordHash {
    std::uint32_t iterations = kPasswordHashIterations;
    std::array<std::uint8_t, 16> salt{};
    std::array<std::uint8_t, 32> key{};
};

std::string FormatPasswordHash(const PasswordHash& hash);
// Nullopt for a text that is not such a hash (letter case of the hex digits aside).
std::optional<PasswordHash> ParsePasswordHash(std::string_view text);

// A new hash of the password with fresh salt; empty when the platform's
// primitives refused.
std::string HashPassword(std::string_view password,
                         std::uint32_t iterations = kPasswordHashIterations);
// True when the entry gives the hash's key; false for a text that is no
// hash. The keys are compared in time that does not depend on where they differ.
bool VerifyPassword(std::string_view entry, std::string_view hashText);

}  // namespace vallora
