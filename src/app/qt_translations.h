#pragma once

class QCoreApplication;

namespace ampery::app {

// The program speaks Chinese whatever the system's language, so Qt's own
// texts (the message boxes' buttons, the file dialogs) are shown in Chinese
// too when Qt's Chinese translation is installed. Returns whether it was.
bool installChineseQtTranslations(QCoreApplication& app);

} // namespace ampery::app
