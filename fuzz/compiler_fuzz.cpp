// Compiles 42 arbitrary equation texts. The compile stays inside the code area,
// leaves the texts and every entry after its last one alone, and any image it
// accepts lists to texts that compile back to that very image.

#include "boolean/compiler.h"
#include "boolean/listing.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

using namespace muxcc;

namespace {

// Ends one text in the input; every other byte belongs to a text.
constexpr char TextEnd = '\n';

// No compile writes this value, so an entry holding it was left alone.
constexpr std::int16_t Untouched = 0x5a5a;

// Alone on the heap, so that an access past the last entry meets the address sanitizer.
std::unique_ptr<CodeArea> untouchedArea()
{
    auto code = std::make_unique<CodeArea>();
    code->fill(Untouched);
    return code;
}

void require(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    OneBased<std::string, OutputCount> texts;
    for (std::string& text : texts) {
        const std::size_t end = std::min(input.find(TextEnd), input.size());
        text = input.substr(0, end);
        input.remove_prefix(std::min(end + 1, input.size()));
    }
    const auto original = texts;

    const auto code = untouchedArea();
    BooleanCompiler compiler(*code);
    const bool accepted = !compiler.compileAll(texts);
    const auto length = compiler.codeLength();
    require(texts == original);
    require(length >= 0 && length <= CodeAreaSize);
    require(std::all_of(code->begin() + length, code->end(), [](std::int16_t e) { return e == Untouched; }));
    if (!accepted)
        return 0;

    require(length <= CodeAreaSentSize);
    const auto again = untouchedArea();
    BooleanCompiler recompiler(*again);
    require(!recompiler.compileAll(ListAllBooleans(*code)));
    require(recompiler.codeLength() == length);
    require(std::equal(code->begin(), code->begin() + length, again->begin()));
    return 0;
}
