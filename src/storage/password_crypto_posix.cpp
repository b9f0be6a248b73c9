// The key derivation and random numbers of the system's crypto library; the
// Windows side is password_crypto_win32.cpp.
#ifndef _WIN32
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <climits>

#include "storage/password_crypto.h"

namespace vallora {

bool DerivePbkdf2Sha256(std::string_view password, std::span<const std::uint8_t> salt,
                        std::uint32_t iterations, std::span<std::uint8_t> key) {
    if (password.size() > INT_MAX || salt.size() > INT_MAX || key.size() > INT_MAX ||
        iterations == 0 || iterations > INT_MAX) {
        return false;
    }
    return PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()), salt.data(),
                             static_cast<int>(salt.size()), static_cast<int>(iterations),
                             EVP_sha256(), static_cast<int>(key.size()), key.data()) == 1;
}

bool FillRandomBytes(std::span<std::uint8_t> bytes) {
    return bytes.size() <= INT_MAX && RAND_bytes(bytes.data(), static_cast<int>(bytes.size())) == 1;
}

}  // namespace vallora
#endif
