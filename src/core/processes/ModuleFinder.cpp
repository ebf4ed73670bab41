#include "core/processes/ModuleFinder.h"

#include "core/ui/TextFormat.h"

namespace core {

void ModuleFinder::SetModules(std::vector<LoadedModule> modules)
{
    modules_ = std::move(modules);
    found_.clear();
    foldedNames_.clear();
    foldedNames_.reserve(modules_.size());
    for (const LoadedModule& module : modules_)
        foldedNames_.push_back(fold_(FileNamePart(module.path)));
}

void ModuleFinder::Filter(std::string_view text)
{
    const std::u16string folded = text.empty() ? std::u16string() : fold_(text);
    found_.clear();
    for (std::size_t i = 0; i < foldedNames_.size(); ++i) {
        if (foldedNames_[i].find(folded) != std::u16string::npos)
            found_.push_back(i);
    }
}

} // namespace core
