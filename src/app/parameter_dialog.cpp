#include "parameter_dialog.h"

#include "app_texts.h"
#include "panel_texts.h"
#include "parameter_entry_validator.h"
#include "prompts.h"
#include "settings_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ampery::app {

ParameterDialog::ParameterDialog(ParameterKind kind, const model::Component& current,
                                 SettingsPanel& panel, Prompts& prompts, Writer writer,
                                 QWidget* parent)
    : QDialog(parent), m_kind(kind), m_current(current), m_panel(panel), m_prompts(prompts),
      m_writer(std::move(writer)), m_entry(new QLineEdit(this)) {
    setWindowTitle(dialogCaption(kind));
    setModal(true);

    auto* label = new QLabel(panel_texts::entryLabel, this);
    label->setObjectName(QStringLiteral("标签1"));
    m_entry->setObjectName(QStringLiteral("参数编辑框"));
    m_entry->setValidator(new ParameterEntryValidator(m_entry));

    auto* ok = new QPushButton(panel_texts::okButton, this);
    ok->setObjectName(QStringLiteral("确定按钮"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(panel_texts::cancelButton, this);
    cancel->setObjectName(QStringLiteral("取消按钮"));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &ParameterDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_entry);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_entry->setFocus();
}

void ParameterDialog::confirm() {
    m_entry->setFocus();
    const ParameterEdit edit =
        evaluateParameterEntry(m_kind, m_entry->text(), m_current, m_panel.name());
    if (const auto* refusal = std::get_if<ParameterRefusal>(&edit)) {
        m_prompts.inform(this, texts::noteTitle, refusal->message);
        m_entry->clear();
        return;
    }
    const auto* accepted = std::get_if<ParameterAccepted>(&edit);
    if (accepted == nullptr)
        return;
    // A write fails only when the record has gone; the panel keeps its texts.
    if (!m_writer(accepted->write)) {
        reject();
        return;
    }
    m_panel.setParameterText(m_kind, accepted->shown);
    if (accepted->shownResistance)
        m_panel.setResistanceText(*accepted->shownResistance);
    accept();
}

} // namespace ampery::app
