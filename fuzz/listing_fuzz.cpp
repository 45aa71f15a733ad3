// Lists an arbitrary code area (two input bytes, low byte first, per entry;
// missing bytes are 0). The listing stays inside the area, and texts it lists
// that compile give an image that lists to the same texts.

#include "boolean/compiler.h"
#include "boolean/listing.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace muxcc;

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Alone on the heap, so that an access past the last entry meets the address sanitizer.
    const auto code = std::make_unique<CodeArea>();
    for (std::size_t i = 0; i < code->size(); ++i) {
        const auto byte = [&](std::size_t at) { return at < size ? data[at] : std::uint8_t{0}; };
        (*code)[i] = static_cast<std::int16_t>(byte(2 * i) | byte(2 * i + 1) << 8);
    }
    const CodeArea original = *code;

    const auto texts = ListAllBooleans(*code);
    require(*code == original);
    for (const std::string& text : texts)
        require(text.empty() || text.back() == ' ');

    const auto image = std::make_unique<CodeArea>();
    if (BooleanCompiler(*image).compileAll(texts))
        return 0;
    require(ListAllBooleans(*image) == texts);
    return 0;
}
