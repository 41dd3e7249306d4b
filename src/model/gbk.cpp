#include "gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace ampery::model {

namespace {

constexpr const char* encodingName = "GBK";

bool hasPrivateUse(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0xE000 && c.unicode() <= 0xF8FF; });
}

std::optional<QString> decodeStrict(const QByteArray& bytes) {
    QStringDecoder decoder(encodingName, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError() || hasPrivateUse(text))
        return std::nullopt;
    return text;
}

std::optional<QByteArray> encodeStrict(const QString& text) {
    QStringEncoder encoder(encodingName, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return std::nullopt;
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

} // namespace

std::optional<QByteArray> encodeGbk(const QString& text) {
    if (hasPrivateUse(text))
        return std::nullopt;
    std::optional<QByteArray> bytes = encodeStrict(text);
    if (!bytes || decodeStrict(*bytes) != text)
        return std::nullopt;
    return bytes;
}

std::optional<QString> decodeGbk(const QByteArray& bytes) {
    std::optional<QString> text = decodeStrict(bytes);
    if (!text || encodeStrict(*text) != bytes)
        return std::nullopt;
    return text;
}

bool canEncodeGbk(const QString& text) {
    return encodeGbk(text).has_value();
}

} // namespace ampery::model
