#pragma once

#include <QByteArray>
#include <QString>

namespace ampery::model {

class Experiment;

// The .aie file is the experiment text's GBK bytes: no header, no terminator.
struct FileResult {
    bool ok = false;
    QString error; // why it failed, for the user
};

struct FileText {
    bool ok = false;
    QString text;
    QString error;
};

// Reads and decodes a file. A readable empty file gives an empty text; a file
// that cannot be read or is not valid GBK is an error.
FileText readExperimentFile(const QString& path);
FileText decodeExperimentBytes(const QByteArray& bytes);

// Encodes and writes the text atomically: on failure an earlier file stays
// as it was.
FileResult writeExperimentFile(const QString& path, const QString& text);

// Opens a file into the experiment: the text replaced and the motor slots
// rebuilt, everything else reset. The experiment is untouched on failure.
FileResult openExperiment(Experiment& experiment, const QString& path);
// Saves the experiment; only a successful write clears the modified flag.
FileResult saveExperiment(Experiment& experiment, const QString& path);

} // namespace ampery::model
