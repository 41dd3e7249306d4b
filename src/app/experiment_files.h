#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace ampery::model {
class Experiment;
}

namespace ampery::app {

class Prompts;

// The save and open dialogs, the writing and reading of .aie files, and the
// question asked before unsaved work is discarded.
class ExperimentFiles {
public:
    enum class SaveResult { Saved, Cancelled, Failed };
    struct Saved {
        SaveResult result = SaveResult::Cancelled;
        QString path; // the file written, when saved
    };

    // The open dialog starts in the example folder and offers it in its side bar.
    ExperimentFiles(Prompts& prompts, QWidget* parent, QString exampleFolder);

    // Asks for a file name and writes the experiment; a failed write is
    // reported to the user. Marking the experiment saved is the caller's.
    Saved save(const model::Experiment& experiment);

    // Asks which file to open; empty text when the dialog was cancelled.
    QString chooseFileToOpen();
    // Reads a file; nothing when it could not be read (the user was told why).
    std::optional<QString> read(const QString& path);

    // Whether the caller may discard the experiment. When the user chooses to
    // save first, only a successful save lets the caller go on: a cancelled
    // or failed save keeps the work.
    bool mayDiscard(const model::Experiment& experiment);

    const QString& exampleFolder() const { return m_exampleFolder; }

private:
    void reportError(const QString& reason);

    Prompts& m_prompts;
    QWidget* m_parent;
    QString m_exampleFolder;
};

} // namespace ampery::app
