#include "platform/sha256.hpp"

#include <nettle/sha2.h>

#include <array>

#include "core/characters.hpp"

namespace korvaline {

std::string sha256_hex(std::string_view bytes) {
    sha256_ctx context;
    sha256_init(&context);
    sha256_update(&context, bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data()));
    std::array<std::uint8_t, SHA256_DIGEST_SIZE> digest{};
    sha256_digest(&context, digest.size(), digest.data());
    return lower_hex(std::string_view(reinterpret_cast<const char*>(digest.data()), digest.size()));
}

}  // namespace korvaline
