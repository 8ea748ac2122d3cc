// Opens arbitrary bytes as a document image. Any input must end in a loaded
// declaration or a storage error; a loaded one must save and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "declaration.h"
#include "errors.h"
#include "jsonform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zorv::mTDeclaration declaration;
    try {
        declaration.LoadFromImage(data, size);
    } catch (const zorv::mEPrivBase&) {
        return 0;
    }
    std::vector<uint8_t> image;
    try {
        image = declaration.BuildImage();
    } catch (const zorv::mEPrivBase&) {
        return 0;  // a value this image cannot hold again (an over-long list, a stray "@")
    }
    zorv::mTDeclaration again;
    again.LoadFromImage(image.data(), image.size());
    if (zorv::DeclarationToJson(again) != zorv::DeclarationToJson(declaration)) std::abort();
    return 0;
}
