// The find window's rows and what a typed text finds among them: the
// modules whose file name (the last part of the path, as FileNamePart takes
// it) contains the text, compared as the caller folds names. The names are
// folded once per snapshot; a keystroke folds only the text.
#pragma once

#include "core/processes/LoadedModules.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

class ModuleFinder {
public:
    // Makes names that the system takes for the same equal, as Windows
    // compares file names (case ignored).
    using Fold = std::function<std::u16string(std::string_view)>;

    explicit ModuleFinder(Fold fold) : fold_(std::move(fold)) {}

    // A new snapshot; nothing is found until the next Filter.
    void SetModules(std::vector<LoadedModule> modules);
    const std::vector<LoadedModule>& Modules() const { return modules_; }

    // Finds the modules for the text, in snapshot order; an empty text finds all.
    void Filter(std::string_view text);
    int FoundCount() const { return static_cast<int>(found_.size()); }
    const LoadedModule& Found(int index) const { return modules_.at(found_.at(static_cast<std::size_t>(index))); }

private:
    Fold fold_;
    std::vector<LoadedModule> modules_;
    std::vector<std::u16string> foldedNames_;
    std::vector<std::size_t> found_;
};

} // namespace core
