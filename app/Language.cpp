#include "app/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

std::optional<UiLanguage> LanguageNamed(const QString& name) {
    if (name == QLatin1String("en")) return UiLanguage::English;
    if (name == QLatin1String("ko")) return UiLanguage::Korean;
    return std::nullopt;
}

void Install(QCoreApplication& application, const QString& file, const QString& folder) {
    auto* translator = new QTranslator(&application);
    if (translator->load(file, folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

UiLanguage ChooseLanguage(const QStringList& arguments, const QProcessEnvironment& environment) {
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        std::optional<UiLanguage> chosen;
        if (argument == QLatin1String("--lang") && i + 1 < arguments.size())
            chosen = LanguageNamed(arguments[i + 1]);
        else if (argument.startsWith(QLatin1String("--lang=")))
            chosen = LanguageNamed(argument.mid(7));
        if (chosen) return *chosen;
    }
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = environment.value(QLatin1String(variable));
        if (!value.isEmpty())
            return value.startsWith(QLatin1String("en")) ? UiLanguage::English : UiLanguage::Korean;
    }
    return UiLanguage::Korean;
}

void InstallTranslations(QCoreApplication& application, UiLanguage language) {
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (language == UiLanguage::English) {
        // Also picks the English variants of the pictures with text in them.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Install(application, QStringLiteral("Tarvik_en"), QStringLiteral(":/i18n"));
        Install(application, QStringLiteral("qtbase_en"), qtFolder);
    } else {
        // Dates and file types in the file dialogs follow it, whatever the system's locale.
        QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
        Install(application, QStringLiteral("qtbase_ko"), qtFolder);
    }
}
