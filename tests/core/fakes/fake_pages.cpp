#include "fakes/fake_pages.h"

#include <stdexcept>

namespace kbs::fakes {

namespace {
const char* pageName(PageId id)
{
    // In the order of PageId.
    static constexpr const char* kNames[] = {"None", "Select", "Param", "Param2", "Form",
                                             "MSW1", "MSW2",   "MSW3",  "MSW4",   "MSW5"};
    return kNames[static_cast<std::size_t>(id)];
}
} // namespace

FakePage::FakePage(PageId pageId, std::vector<const FieldSpec*> fields, Journal& journal)
    : id(pageId), fields_(std::move(fields)), journal_(journal)
{
    for (const FieldSpec* spec : fields_)
        values_[std::string(spec->name)] = std::string(spec->width, '\0');
}

void FakePage::LoadBlock(const SettingsBlock& block)
{
    ++loads;
    for (const FieldSpec* spec : fields_)
        values_[std::string(spec->name)].assign(reinterpret_cast<const char*>(block.data()) + spec->offset,
                                                spec->width);
}

void FakePage::StoreBlock(SettingsBlock& block)
{
    for (const FieldSpec* spec : fields_) {
        const auto substitute = substitutes_.find(spec->name);
        const std::string& bytes = substitute != substitutes_.end() ? substitute->second : value(spec->name);
        for (std::size_t i = 0; i < spec->width; ++i)
            block[spec->offset + i] = static_cast<std::uint8_t>(bytes[i]);
    }
}

void FakePage::ShowPendingNotice()
{
    ++notices;
    pendingEntry = false; // the notice corrects the entry
    journal_.add(std::string("pending notice on ") + pageName(id));
}

void FakePage::RefreshFormButton()
{
    ++formButtonRefreshes;
    journal_.add(std::string("form button on ") + pageName(id));
}

bool FakePage::owns(std::string_view name) const
{
    return values_.find(name) != values_.end();
}

const FieldSpec& FakePage::field(std::string_view name) const
{
    for (const FieldSpec* spec : fields_)
        if (spec->name == name)
            return *spec;
    throw std::invalid_argument("page does not own " + std::string(name));
}

void FakePage::edit(std::string_view name, std::string bytes)
{
    if (bytes.size() != field(name).width)
        throw std::invalid_argument("wrong width for " + std::string(name));
    values_.find(name)->second = std::move(bytes);
}

std::string FakePage::value(std::string_view name) const
{
    const auto found = values_.find(name);
    if (found == values_.end())
        throw std::invalid_argument("page does not own " + std::string(name));
    return found->second;
}

void FakePage::storeAlways(std::string_view name, std::string bytes)
{
    if (bytes.size() != field(name).width)
        throw std::invalid_argument("wrong width for " + std::string(name));
    substitutes_[std::string(name)] = std::move(bytes);
}

bool FakePage::shows(const SettingsBlock& block) const
{
    for (const FieldSpec* spec : fields_)
        if (value(spec->name) !=
            std::string(reinterpret_cast<const char*>(block.data()) + spec->offset, spec->width))
            return false;
    return true;
}

FakePages::FakePages(const ModelVariant& variant, Journal& journal, bool created)
    : variant_(variant), journal_(journal)
{
    if (created)
        create();
}

void FakePages::create()
{
    pages_.clear();
    for (const TabSpec& tab : variant_.tabs) {
        std::vector<const FieldSpec*> owned;
        for (const FieldSpec& spec : variant_.fields)
            if (spec.owner == tab.page)
                owned.push_back(&spec);
        pages_.push_back(std::make_unique<FakePage>(tab.page, std::move(owned), journal_));
    }
}

FakePage& FakePages::pageOf(PageId id)
{
    for (auto& page : pages_)
        if (page->id == id)
            return *page;
    throw std::invalid_argument(std::string("no page ") + pageName(id));
}

FakePage& FakePages::pageOwning(std::string_view field)
{
    for (auto& page : pages_)
        if (page->owns(field))
            return *page;
    throw std::invalid_argument("no page owns " + std::string(field));
}

bool FakePages::show(const SettingsBlock& block) const
{
    for (const auto& page : pages_)
        if (!page->shows(block))
            return false;
    return true;
}

int FakePages::totalLoads() const
{
    int loads = 0;
    for (const auto& page : pages_)
        loads += page->loads;
    return loads;
}

} // namespace kbs::fakes
