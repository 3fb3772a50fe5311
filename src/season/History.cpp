#include "season/History.h"

#include <algorithm>

namespace karven {

const std::string& ArchivedSeason::Name(NameRef ref) const {
    static const std::string nobody;
    return ref >= 1 && ref <= int(names.size()) ? names[ref - 1] : nobody;
}

NameRef ArchivedSeason::Ref(const std::string& name) {
    if (name.empty()) return 0;
    auto at = std::find(names.begin(), names.end(), name);
    if (at != names.end()) return NameRef(at - names.begin()) + 1;
    names.push_back(name);
    return NameRef(names.size());
}

std::optional<std::string> ArchivedSeason::ConstructorsChampion() const {
    if (!complete || constructors.empty()) return std::nullopt;
    return Name(constructors.front().team);
}

std::optional<std::string> ArchivedSeason::Champion() const {
    if (!crowned) return std::nullopt;
    return Name(champion);
}

} // namespace karven
