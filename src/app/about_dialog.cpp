#include "about_dialog.h"

#include "command_texts.h"
#include "help_file.h"
#include "prompts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ampery::app {

AboutDialog::AboutDialog(Prompts& prompts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("关于窗口"));
    setWindowTitle(command_texts::aboutCaption);
    setModal(true);

    auto* description = new QLabel(command_texts::aboutDescription, this);
    description->setObjectName(QStringLiteral("说明标签"));
    description->setWordWrap(true);
    description->setFixedWidth(340);
    auto* maker = new QLabel(command_texts::aboutMaker, this);
    maker->setObjectName(QStringLiteral("作者标签"));
    // Ampery has no web site: the help file it carries is where it tells
    // about itself.
    auto* contact =
        new QLabel(QStringLiteral("<a href=\"help\">%1</a>").arg(command_texts::contactUs), this);
    contact->setObjectName(QStringLiteral("联系标签"));
    contact->setTextFormat(Qt::RichText);
    contact->setToolTip(command_texts::contactUsTip);
    connect(contact, &QLabel::linkActivated, this,
            [this, &prompts] { HelpFile(prompts, this).show(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("关闭按钮"));
    buttons->button(QDialogButtonBox::Close)->setText(command_texts::closeButton);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(description);
    layout->addWidget(maker);
    layout->addWidget(contact, 0, Qt::AlignRight);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace ampery::app
