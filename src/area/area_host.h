#pragma once

#include "tool_choice.h"

#include <QString>

namespace ampery::area {

// What the tools need from the rest of the main window: the settings panel,
// the palette's look and message boxes. The window implements it; the area
// never sees the window itself, and nothing here changes the experiment.
class AreaHost {
public:
    virtual ~AreaHost() = default;

    // A refused placement (second source, eleventh motor).
    virtual void showLimitMessage(const QString& text) = 0;

    // Settings panel.
    virtual void showComponentInPanel(int number) = 0;
    virtual void showSwitchForToggle(const QString& name) = 0;
    virtual void clearPanel() = 0;
    virtual void setPanelResistance(const QString& text) = 0;

    // The area chose a tool itself (the right button): the palette shows it.
    virtual void showToolChosen(PaletteButton button) = 0;
};

} // namespace ampery::area
