#include "engine/catalogue/RuleTable.h"

namespace scw::rules {

#define CATEGORY(fn) RuleSpan fn();
#include "engine/catalogue/Categories.inc"
#undef CATEGORY

const std::vector<RuleSpan>& AllCategories() {
#define CATEGORY(fn) fn(),
    static const std::vector<RuleSpan> all = {
#include "engine/catalogue/Categories.inc"
    };
#undef CATEGORY
    return all;
}

}  // namespace scw::rules
