#include "parameter_entry_validator.h"

namespace ampery::app {

namespace {

bool isSwallowed(QChar c) {
    return c == u'-' || c == u'_';
}

} // namespace

ParameterEntryValidator::ParameterEntryValidator(QObject* parent) : QValidator(parent) {}

QValidator::State ParameterEntryValidator::validate(QString& input, int& pos) const {
    // The cursor moves back by the characters removed in front of it.
    QString kept;
    kept.reserve(input.size());
    int keptPos = pos;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (!isSwallowed(input[i]))
            kept.append(input[i]);
        else if (i < pos)
            --keptPos;
    }
    input = kept;
    pos = keptPos;
    return Acceptable;
}

} // namespace ampery::app
