#pragma once

class QCoreApplication;
class QString;
class QTranslator;

namespace Orlenda {

// Where Qt's own Japanese texts (standard buttons, file dialogs, messages) are
// installed.
QString qtJapaneseTranslationFile();

// Installs Qt's own Japanese translation whatever the system locale, since the
// interface is Japanese. Returns the installed translator, owned by app, or
// nullptr when the translation is not installed.
QTranslator* installQtJapanese(QCoreApplication& app);

} // namespace Orlenda
