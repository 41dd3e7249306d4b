#pragma once

#include <QDialog>

namespace ampery::app {

class Prompts;

// The About window: what the program is, who made it, and a link to the
// project's web page.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static const QString webAddress;

    explicit AboutDialog(Prompts& prompts, QWidget* parent = nullptr);
};

} // namespace ampery::app
