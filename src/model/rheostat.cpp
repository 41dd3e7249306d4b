#include "rheostat.h"

#include "number_text.h"

namespace ampery::model {

QString sliderResistanceText(double minimum, double maximum, int position) {
    switch (position) {
    case 0:
        return numberToText(minimum);
    case 1:
        return numberToText(minimum + (maximum - minimum) / 4);
    case 2:
        return numberToText(minimum + (maximum - minimum) / 2);
    case 3:
        return numberToText(minimum + (maximum - minimum) / 4 * 3);
    case 4:
        return numberToText(maximum);
    default:
        return {};
    }
}

} // namespace ampery::model
