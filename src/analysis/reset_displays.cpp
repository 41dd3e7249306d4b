#include "reset_displays.h"

#include "display.h"

#include "model/component_type.h"
#include "model/picture_choice.h"

namespace ampery::analysis {

namespace picture = model::picture;

void resetDisplays(Display& display, const std::vector<model::Component>& components) {
    display.stopAllMotors();
    for (const model::Component& c : components) {
        if (display.isDone(c.name))
            continue;
        if (c.type == model::Lamp)
            display.showPicture(c, picture::lampDark);
        else if (c.type == model::Ammeter)
            display.showPicture(c, picture::ammeterFirst);
        else if (c.type == model::Voltmeter)
            display.showPicture(c, picture::voltmeterFirst);
    }
    display.combine();
}

} // namespace ampery::analysis
