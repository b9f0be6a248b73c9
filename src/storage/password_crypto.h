#pragma once
// The cryptographic primitives that password hashes need, from the
// platform: the system's key derivation and random numbers (BCrypt on
// Windows, the system's crypto library elsewhere). Nothing here is hand-made.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vallora {

// PBKDF2 with HMAC-SHA256: fills `key` (its size is the key length). False
// when the platform refused.
bool DerivePbkdf2Sha256(std::string_view password, std::span<const std::uint8_t> salt,
                        std::uint32_t iterations, std::span<std::uint8_t> key);

// Fills `bytes` from the system's random source. False when it refused.
bool FillRandomBytes(std::span<std::uint8_t> bytes);

}  // namespace vallora
