#pragma once

// The interface's language: Simplified Chinese, the source language and the default on every
// system whatever its locale, or English, chosen by the user and kept in the settings; applied at
// the start of the program.

#include <QString>

class QCoreApplication;

namespace app {

// "zh" or "en": the saved choice, "zh" when none (or anything else) is saved.
QString savedLanguage();
void saveLanguage(const QString& language);

// Installs the translations of `language` ("en"; anything else is Chinese): the program's own
// texts, Qt's standard buttons and the messages of the Qt-free layers. Once, at the start, before
// any window or message exists.
void installLanguage(QCoreApplication& application, const QString& language);

// The language in use: what installLanguage was given.
QString currentLanguage();

} // namespace app
