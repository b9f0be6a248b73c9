// The system's key derivation and random numbers through BCrypt.
#include <windows.h>

#include <bcrypt.h>

#include <limits>

#include "platform/unique_handle.h"
#include "storage/password_crypto.h"

namespace vallora {

namespace {

struct AlgorithmCloser {
    void operator()(BCRYPT_ALG_HANDLE algorithm) const noexcept {
        BCryptCloseAlgorithmProvider(algorithm, 0);
    }
};
using UniqueAlgorithm = UniqueHandle<BCRYPT_ALG_HANDLE, AlgorithmCloser>;

constexpr std::size_t kLongest = std::numeric_limits<ULONG>::max();

bool Succeeded(NTSTATUS status) {
    return status >= 0;
}

}  // namespace

bool DerivePbkdf2Sha256(std::string_view password, std::span<const std::uint8_t> salt,
                        std::uint32_t iterations, std::span<std::uint8_t> key) {
    if (password.size() > kLongest || salt.size() > kLongest || key.size() > kLongest ||
        iterations == 0) {
        return false;
    }
    BCRYPT_ALG_HANDLE opened = nullptr;
    if (!Succeeded(BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr,
                                               BCRYPT_ALG_HANDLE_HMAC_FLAG))) {
        return false;
    }
    const UniqueAlgorithm algorithm(opened);
    // The calls take their inputs as writable buffers without writing them.
    auto* secret = reinterpret_cast<PUCHAR>(const_cast<char*>(password.data()));
    auto* saltBytes = const_cast<PUCHAR>(salt.data());
    return Succeeded(BCryptDeriveKeyPBKDF2(algorithm.get(), secret,
                                           static_cast<ULONG>(password.size()), saltBytes,
                                           static_cast<ULONG>(salt.size()), iterations, key.data(),
                                           static_cast<ULONG>(key.size()), 0));
}

bool FillRandomBytes(std::span<std::uint8_t> bytes) {
    return bytes.size() <= kLongest &&
           Succeeded(BCryptGenRandom(nullptr, bytes.data(), static_cast<ULONG>(bytes.size()),
                                     BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

}  // namespace vallora
