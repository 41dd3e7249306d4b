#pragma once

#include <QDialog>

namespace ampery::app {

class Prompts;

// The About window: what the program is, who made it, and a link to the
// help file, which tells more about both.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(Prompts& prompts, QWidget* parent = nullptr);
};

} // namespace ampery::app
