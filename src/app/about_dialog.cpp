#include "about_dialog.h"

#include "command_texts.h"
#include "prompts.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ampery::app {

const QString AboutDialog::webAddress = QStringLiteral("https://ampery.example.org");

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
    // The shell, not the label, opens the address, so tests see the request.
    auto* contact = new QLabel(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(webAddress, command_texts::contactUs), this);
    contact->setObjectName(QStringLiteral("联系标签"));
    contact->setTextFormat(Qt::RichText);
    contact->setToolTip(webAddress);
    connect(contact, &QLabel::linkActivated, this,
            [&prompts](const QString& address) { prompts.openWithDesktop(address); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(description);
    layout->addWidget(maker);
    layout->addWidget(contact, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace ampery::app
