// Built natively (the system's crypto library) and for Windows (BCrypt,
// run under the platform layer), so both sides meet the same vectors.
#include "storage/password_hash.h"

#include <gtest/gtest.h>

#include <vector>

#include "storage/password_crypto.h"

namespace vallora {
namespace {

std::string Hex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

TEST(PasswordCrypto, PublishedPbkdf2HmacSha256Vectors) {
    struct Case {
        std::string_view password;
        std::string_view salt;
        std::uint32_t iterations;
        std::size_t length;
        std::string_view key;
    };
    const Case cases[] = {
        {"password", "salt", 1, 32,
         "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"},
        {"password", "salt", 4096, 32,
         "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a"},
        {"passwd", "salt", 1, 64,
         "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc49ca9cccf179b645991664b3"
         "9d77ef317c71b845b1e30bd509112041d3a19783"},
        {"Password", "NaCl", 80000, 64,
         "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56a1d425a1225833549adb841b"
         "51c9b3176a272bdebba1d078478f62b397f33c8d"},
        {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 40,
         "348c89dbcbd32b2f32d814b8116e84cf2b17347ebc1800181c4e2a1fb8dd53e1c635518c7dac47e9"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> key(c.length);
        const std::vector<std::uint8_t> salt(c.salt.begin(), c.salt.end());
        ASSERT_TRUE(DerivePbkdf2Sha256(c.password, salt, c.iterations, key)) << c.password;
        EXPECT_EQ(Hex(key), c.key) << c.password << " " << c.iterations;
    }
}

TEST(PasswordHash, VerifiesTheRightPasswordOnlyWithFreshSaltEachTime) {
    const std::string hash = HashPassword("Secret", 1000);
    ASSERT_FALSE(hash.empty());
    EXPECT_EQ(hash.substr(0, 19), "pbkdf2-sha256$1000$");
    EXPECT_EQ(hash.size(), 19u + 32 + 1 + 64);
    EXPECT_TRUE(VerifyPassword("Secret", hash));
    for (const char* wrong : {"secret", "Secret ", "", "Secre"}) {
        EXPECT_FALSE(VerifyPassword(wrong, hash)) << wrong;
    }
    EXPECT_NE(HashPassword("Secret", 1000), hash);
    EXPECT_EQ(HashPassword("Secret").substr(0, 21), "pbkdf2-sha256$200000$");
}

TEST(PasswordHash, FormatRoundTripAndTextsThatAreNoHash) {
    PasswordHash hash;
    hash.iterations = 4096;
    for (std::size_t i = 0; i < hash.salt.size(); ++i) hash.salt[i] = static_cast<std::uint8_t>(i);
    for (std::size_t i = 0; i < hash.key.size(); ++i)
        hash.key[i] = static_cast<std::uint8_t>(0xF0 + i);
    const std::string text = FormatPasswordHash(hash);
    EXPECT_EQ(text,
              "pbkdf2-sha256$4096$000102030405060708090a0b0c0d0e0f$"
              "f0f1f2f3f4f5f6f7f8f9fafbfcfdfeff000102030405060708090a0b0c0d0e0f");
    const auto parsed = ParsePasswordHash(text);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->iterations, 4096u);
    EXPECT_EQ(parsed->salt, hash.salt);
    EXPECT_EQ(parsed->key, hash.key);

    const std::string salt(32, 'a');
    const std::string key(64, 'b');
    for (const std::string& damaged : {
             std::string(),
             "pbkdf2-sha1$4096$" + salt + "$" + key,
             "pbkdf2-sha256$$" + salt + "$" + key,
             "pbkdf2-sha256$0$" + salt + "$" + key,
             "pbkdf2-sha256$-1$" + salt + "$" + key,
             "pbkdf2-sha256$99999999$" + salt + "$" + key,
             "pbkdf2-sha256$4096$" + salt.substr(1) + "$" + key,
             "pbkdf2-sha256$4096$" + salt + "$" + key + "0",
             "pbkdf2-sha256$4096$" + salt + "$" + key.substr(1) + "g",
             "pbkdf2-sha256$4096$" + salt + "$" + key + "$",
             "pbkdf2-sha256$4096$" + salt,
         }) {
        EXPECT_FALSE(ParsePasswordHash(damaged)) << damaged;
        EXPECT_FALSE(VerifyPassword("", damaged)) << damaged;
    }
}

}  // namespace
}  // namespace vallora
