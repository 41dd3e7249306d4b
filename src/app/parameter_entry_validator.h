#pragma once

#include <QValidator>

namespace ampery::app {

// Keeps "-" and "_" out of the parameter entry however they arrive (typed,
// pasted or inserted), so that no negative value can be entered. Everything
// else is let through: the OK button judges the entry.
class ParameterEntryValidator : public QValidator {
    Q_OBJECT
public:
    explicit ParameterEntryValidator(QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
};

} // namespace ampery::app
