#include "platform/sha256.hpp"

// clang-format off
#include "platform/windows/windows_api.hpp"
#include <bcrypt.h>
// clang-format on

#include <array>
#include <limits>

#include "core/characters.hpp"
#include "core/failure.hpp"

namespace korvaline {

namespace {

// The system's SHA-256 provider and one hash object on it, closed whatever
// way the digest ends.
class Sha256Hash {
  public:
    Sha256Hash() {
        if (!BCRYPT_SUCCESS(
                BCryptOpenAlgorithmProvider(&algorithm_, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
            throw Failure("the system gives no SHA-256 digest");
        }
        if (!BCRYPT_SUCCESS(BCryptCreateHash(algorithm_, &hash_, nullptr, 0, nullptr, 0, 0))) {
            BCryptCloseAlgorithmProvider(algorithm_, 0);
            throw Failure("the system gives no SHA-256 digest");
        }
    }
    ~Sha256Hash() {
        BCryptDestroyHash(hash_);
        BCryptCloseAlgorithmProvider(algorithm_, 0);
    }
    Sha256Hash(const Sha256Hash&) = delete;
    Sha256Hash& operator=(const Sha256Hash&) = delete;

    void add(std::string_view bytes) {
        constexpr std::size_t kLargest = std::numeric_limits<ULONG>::max();
        while (!bytes.empty()) {
            const std::size_t part = std::min(bytes.size(), kLargest);
            auto* data = reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data()));
            if (!BCRYPT_SUCCESS(BCryptHashData(hash_, data, static_cast<ULONG>(part), 0))) {
                throw Failure("the system's SHA-256 digest failed");
            }
            bytes.remove_prefix(part);
        }
    }

    std::string finish() {
        std::array<UCHAR, 32> digest{};
        if (!BCRYPT_SUCCESS(
                BCryptFinishHash(hash_, digest.data(), static_cast<ULONG>(digest.size()), 0))) {
            throw Failure("the system's SHA-256 digest failed");
        }
        return std::string(reinterpret_cast<const char*>(digest.data()), digest.size());
    }

  private:
    BCRYPT_ALG_HANDLE algorithm_ = nullptr;
    BCRYPT_HASH_HANDLE hash_ = nullptr;
};

}  // namespace

std::string sha256_hex(std::string_view bytes) {
    Sha256Hash hash;
    hash.add(bytes);
    return lower_hex(hash.finish());
}

}  // namespace korvaline
