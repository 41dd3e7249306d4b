#include "picture_choice.h"

#include "component_type.h"

namespace ampery::model {

std::optional<int> pictureForRecord(int type, int state) {
    switch (type) {
    case Source:
        return picture::source;
    case Switch:
        if (state == 0)
            return picture::switchOpen;
        if (state == 1)
            return picture::switchClosed;
        return std::nullopt;
    case Lamp:
        return picture::lampDark;
    case Resistor:
        return picture::resistor;
    case Rheostat:
        if (state >= 0 && state <= 4)
            return picture::rheostatFirst + state;
        return std::nullopt;
    case Motor:
        return picture::motorFirst;
    case Ammeter:
        return picture::ammeterFirst;
    case Voltmeter:
        return picture::voltmeterFirst;
    default:
        return std::nullopt;
    }
}

} // namespace ampery::model
