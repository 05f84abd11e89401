// Any block through every page of every program: a page that loads it and stores it back
// changes no byte it does not own, and storing again what it loaded changes nothing more.
#include "fuzz_input.h"
#include "pagedata/page_data_for.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kbs;
    fuzz::FuzzInput input(data, size);
    const ModelVariant& variant = input.program();
    const SettingsBlock block = input.block(variant);
    for (const TabSpec& tab : variant.tabs) {
        std::optional<PageData> page = pageDataFor(variant, tab.page);
        if (!page)
            continue;
        SettingsBlock stored = block;
        page->load(block);
        page->store(stored);
        for (std::size_t offset = 0; offset < block.size(); ++offset)
            FUZZ_CHECK(stored[offset] == block[offset] ||
                       std::ranges::any_of(variant.fields, [&](const FieldSpec& field) {
                           return field.owner == tab.page && ownsByte(field, offset);
                       }));
        SettingsBlock again = stored;
        page->load(stored);
        page->store(again);
        FUZZ_CHECK(again == stored);
    }
    return 0;
}
