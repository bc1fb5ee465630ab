#pragma once

class QCoreApplication;

namespace duct {

// Qt's own texts (the message boxes' button, the fields' context menu) in Simplified Chinese,
// whatever the locale, as the rest of the program is. False when the translation is not
// installed; the texts then stay in English.
bool InstallChineseToolkitTexts(QCoreApplication& application);

}  // namespace duct
