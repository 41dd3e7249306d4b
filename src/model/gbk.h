#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace ampery::model {

// GBK at the file boundary. Both directions are strict: the result must
// convert back to exactly what was given, so nothing is replaced silently.
std::optional<QByteArray> encodeGbk(const QString& text);
std::optional<QString> decodeGbk(const QByteArray& bytes);
bool canEncodeGbk(const QString& text);

} // namespace ampery::model
