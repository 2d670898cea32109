#pragma once
// Qt's own texts (standard buttons, the file dialog, context menus) in Japanese, from the
// translations installed with Qt, so they speak the program's language whatever the desktop's is.
class QCoreApplication;

// Loads Qt's Japanese catalogue into the application and makes Japanese the default locale
// (dates and sizes in the file dialog). False when the catalogue is not installed; Qt's texts
// then stay in English.
bool InstallQtTranslations(QCoreApplication& application);
