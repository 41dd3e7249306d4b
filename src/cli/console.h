#pragma once

#include <QString>

namespace ampery::cli {

// Exit statuses of ampery-cli.
inline constexpr int exitSuccess = 0;
inline constexpr int exitOutputFailed = 1;
inline constexpr int exitRefused = 2;

// Writes UTF-8 text to standard output; false when it could not be written.
bool writeOutput(const QString& text);
// Writes "ampery-cli: message" and a newline to standard error.
void reportError(const QString& message);
// Reports a refused invocation (bad arguments, unreadable input) and returns
// its exit status.
int refuse(const QString& message);

} // namespace ampery::cli
