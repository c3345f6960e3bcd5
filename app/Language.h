#pragma once

#include <QProcessEnvironment>
#include <QStringList>

class QCoreApplication;

enum class UiLanguage { Korean, English };

// "--lang en" or "--lang ko" (also "--lang=en") decides; without it the system's language
// settings do (the first of LC_ALL, LC_MESSAGES and LANG that is set): English for "en...",
// Korean for anything else, also when none is set.
UiLanguage ChooseLanguage(const QStringList& arguments, const QProcessEnvironment& environment);

// Installs the program's texts and Qt's own dialog texts for the language, and makes its locale
// the default one, which pictures, notes, dates and file types follow. Korean is the language
// the program is written in; the files it writes stay Korean either way.
void InstallTranslations(QCoreApplication& application, UiLanguage language);
