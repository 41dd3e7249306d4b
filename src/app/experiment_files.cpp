#include "experiment_files.h"

#include "app_texts.h"
#include "model/experiment.h"
#include "model/experiment_file.h"
#include "prompts.h"

namespace ampery::app {

ExperimentFiles::ExperimentFiles(Prompts& prompts, QWidget* parent, QString exampleFolder)
    : m_prompts(prompts), m_parent(parent), m_exampleFolder(std::move(exampleFolder)) {}

void ExperimentFiles::reportError(const QString& reason) {
    m_prompts.inform(m_parent, texts::noteTitle, texts::errorPrefix + reason);
}

ExperimentFiles::Saved ExperimentFiles::save(const model::Experiment& experiment) {
    const QString path = m_prompts.saveFileName(
        m_parent,
        {texts::saveDialogTitle, texts::experimentFilter, texts::experimentSuffix, {}, {}});
    if (path.isEmpty())
        return {SaveResult::Cancelled, {}};
    const model::FileResult written = model::writeExperimentFile(path, experiment.text());
    if (!written.ok) {
        reportError(written.error);
        return {SaveResult::Failed, {}};
    }
    return {SaveResult::Saved, path};
}

QString ExperimentFiles::chooseFileToOpen() {
    return m_prompts.openFileName(m_parent, {texts::openDialogTitle,
                                             texts::experimentFilter,
                                             texts::experimentSuffix,
                                             m_exampleFolder,
                                             {m_exampleFolder}});
}

std::optional<QString> ExperimentFiles::read(const QString& path) {
    model::FileText read = model::readExperimentFile(path);
    if (!read.ok) {
        reportError(read.error);
        return std::nullopt;
    }
    return std::move(read.text);
}

bool ExperimentFiles::mayDiscard(const model::Experiment& experiment) {
    if (!experiment.isModified())
        return true;
    switch (m_prompts.ask(m_parent, texts::questionTitle, texts::saveQuestion, true)) {
    case Prompts::Answer::Yes:
        return save(experiment).result == SaveResult::Saved;
    case Prompts::Answer::No:
        return true;
    case Prompts::Answer::Cancel:
        return false;
    }
    return false;
}

} // namespace ampery::app
