#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace ampery::app {

class Prompts;

// The help command: the compiled help file the program carries is written
// once beside the program, or into the user's application-data folder when
// the program's folder is read-only (as an installed program's is), and
// handed to the desktop shell, or else to an installed CHM viewer. An
// existing file is used and never replaced.
class HelpFile {
public:
    // Where the program carries its help file.
    static const QString carriedFile;
    // The CHM viewers tried, in order, when the desktop has no program for
    // the help file.
    static const QStringList chmViewers;

    // The folders tried in order: the program's, then the user's application data.
    static QStringList defaultFolders();

    HelpFile(Prompts& prompts, QWidget* parent, QStringList folders = defaultFolders(),
             QString source = carriedFile);

    void show();

    struct Placement {
        QString path;     // empty when no folder has the file or can be given it
        QString failures; // one line per folder that could not be written
    };
    // The help file in the first folder that has it or can be given it.
    Placement ensureWritten() const;

private:
    Prompts& m_prompts;
    QWidget* m_parent;
    QStringList m_folders;
    QString m_source;
};

} // namespace ampery::app
