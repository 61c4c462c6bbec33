#include "platform/german_texts.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace velmora::platform {

void UseGermanTexts(QCoreApplication& application)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    QLocale::setDefault(german);
    const QStringList folders{QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                              QCoreApplication::applicationDirPath() + QStringLiteral("/../Resources/translations")};
    auto* translator = new QTranslator(&application);
    for (const QString& folder : folders) {
        if (translator->load(german, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            application.installTranslator(translator);
            return;
        }
    }
    delete translator;
}

}  // namespace velmora::platform
