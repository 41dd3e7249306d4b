#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// JSON texts built from values that are already JSON texts, so members keep
// the order they are given in.
namespace ampery::cli::json {

QString string(QStringView text);
QString boolean(bool value);
QString integer(int value);
QString null();
// A decimal text written by the program as it stands; any text that is not
// JSON number syntax ("∞", "NaN", ...) becomes null.
QString decimal(QStringView text);

struct Member {
    QString key;
    QString value;
};
QString object(const QList<Member>& members);
QString array(const QStringList& values);

} // namespace ampery::cli::json
