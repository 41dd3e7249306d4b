#include "console.h"

#include <cstdio>

namespace ampery::cli {

namespace {

bool writeAll(const QByteArray& bytes, std::FILE* stream) {
    const std::size_t size = static_cast<std::size_t>(bytes.size());
    return std::fwrite(bytes.constData(), 1, size, stream) == size && std::fflush(stream) == 0;
}

} // namespace

bool writeOutput(const QString& text) {
    return writeAll(text.toUtf8(), stdout);
}

void reportError(const QString& message) {
    writeAll((QStringLiteral("ampery-cli: ") + message + u'\n').toUtf8(), stderr);
}

int refuse(const QString& message) {
    reportError(message);
    return exitRefused;
}

} // namespace ampery::cli
