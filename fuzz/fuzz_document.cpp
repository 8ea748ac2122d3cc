// Opens arbitrary bytes as a document image. Any input must end in a loaded
// declaration or a storage error. A loaded one must save; what it saves must read
// back and save again to the same bytes; and its JSON text must read back and save
// to those bytes too, unless it holds a value the program never stores. The totals
// of every loaded declaration are computed and checked against the form's room.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "calc/svodsum.h"
#include "calc/totalsrange.h"
#include "model/declaration.h"
#include "model/jsonform.h"
#include "storage/errors.h"

namespace {

[[noreturn]] void Fail(const char* step, const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", step, e.what());
    std::abort();
}

}  // namespace

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
    } catch (const std::exception& e) {
        Fail("saving a loaded document", e);
    }

    zorv::mTDeclaration again;
    try {
        again.LoadFromImage(image.data(), image.size());
        if (again.BuildImage() != image) std::abort();
    } catch (const std::exception& e) {
        Fail("reading back a saved document", e);
    }
    try {
        // Any amounts at all, as damaged files hold them: the engine must reach its
        // totals without overflowing (the sanitizer of the fuzzing build would stop
        // on one), and the range check must read them.
        zorv::mTDeclaration computed = declaration;
        zorv::kTSvodSum totals;
        totals.Compute(computed);
        (void)zorv::TotalsOutOfRange(computed, totals);
    } catch (const std::exception& e) {
        Fail("computing the totals", e);
    }

    const zorv::Json json = zorv::DeclarationToJson(declaration);
    if (zorv::DeclarationToJson(again) != json) std::abort();

    zorv::mTDeclaration fromJson;
    try {
        // Through its text, as a JSON file holds it.
        zorv::DeclarationFromJson(zorv::ParseDeclarationJson(json.dump()), fromJson);
        if (fromJson.BuildImage() != image) std::abort();
    } catch (const zorv::JsonValueRefused&) {
        // A value the program never stores (a document may hold one): the JSON form
        // refuses it, and only it.
    } catch (const std::exception& e) {
        Fail("reading back the JSON form", e);
    }
    return 0;
}
