// Material files: colours are either untouched (all zero) or fully read (alpha 1).
#include "FuzzSupport.h"

#include "resources/Material.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    silenceMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Material material =
        Material::fromText("fuzz.mtl", std::string_view(reinterpret_cast<const char*>(data), size));
    for (const glm::vec4& colour : {material.ka, material.kd, material.ks}) {
        FUZZ_CHECK(colour.a == 0.0f || colour.a == 1.0f);
        FUZZ_CHECK(colour.a == 1.0f || colour == glm::vec4(0.0f));
    }
    return 0;
}
