#include "separators.h"

#include <algorithm>

namespace ampery::model::sep {

bool containsSeparator(QStringView text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return std::find(std::begin(all), std::end(all), c.unicode()) != std::end(all);
    });
}

} // namespace ampery::model::sep
