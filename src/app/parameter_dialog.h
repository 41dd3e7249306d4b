#pragma once

#include "parameter_edit.h"

#include <QDialog>

#include <functional>

class QLineEdit;

namespace ampery::app {

class Prompts;
class SettingsPanel;

// The modal dialog that changes one value of the current component. It
// checks the entry, hands the accepted fields to the writer and shows the
// new texts in the panel; refusals are told through the prompts and the
// dialog stays open for another try.
class ParameterDialog : public QDialog {
    Q_OBJECT
public:
    // Writes the fields into the current component's record; false when the
    // record could not be written.
    using Writer = std::function<bool(const ParameterWrite&)>;

    ParameterDialog(ParameterKind kind, const model::Component& current, SettingsPanel& panel,
                    Prompts& prompts, Writer writer, QWidget* parent = nullptr);

    // The OK button.
    void confirm();

private:
    ParameterKind m_kind;
    model::Component m_current;
    SettingsPanel& m_panel;
    Prompts& m_prompts;
    Writer m_writer;
    QLineEdit* m_entry;
};

} // namespace ampery::app
