#include "app/Preferences.h"

#include <QDir>
#include <QSettings>

namespace velor {

void Preferences::Load() {
    QSettings settings;
    settings.beginGroup(Section());
    loadPreviousSetup = settings.value(QStringLiteral("PREF_LOAD"), 0).toInt() != 0;
    autoFind = settings.value(QStringLiteral("PREF_AUTOFIND"), 0).toInt() != 0;
    globalCollect = settings.value(QStringLiteral("PREF_GLOBALCOLLECT"), 1).toInt() != 0;
    backgroundLogo = settings.value(QStringLiteral("PREF_LOGO"), 0).toInt() != 0;
    saveSetupOnExit = settings.value(QStringLiteral("PREF_SAVE"), 0).toInt() != 0;
    promptOnExit = settings.value(QStringLiteral("PREF_PROMPT"), 1).toInt() != 0;
    backupInterval = settings.value(QStringLiteral("BACKUPINTERVAL"), 10).toInt();
    backupFile = settings.value(QStringLiteral("BACKUPFILE"), QStringLiteral("LUMODATA.BAK")).toString();
    defaultSetupPath =
        settings.value(QStringLiteral("DEFAULTPLW"), QDir::current().filePath(QStringLiteral("Velor.cfg")))
            .toString();
    imageType = settings.value(QStringLiteral("ImageType"), 0).toInt();
    imageQuality = settings.value(QStringLiteral("ImageQuality"), 100).toInt();
}

void Preferences::Save() const {
    QSettings settings;
    settings.beginGroup(Section());
    settings.setValue(QStringLiteral("PREF_LOAD"), loadPreviousSetup ? 1 : 0);
    settings.setValue(QStringLiteral("PREF_AUTOFIND"), autoFind ? 1 : 0);
    settings.setValue(QStringLiteral("PREF_GLOBALCOLLECT"), globalCollect ? 1 : 0);
    settings.setValue(QStringLiteral("PREF_LOGO"), backgroundLogo ? 1 : 0);
    settings.setValue(QStringLiteral("PREF_SAVE"), saveSetupOnExit ? 1 : 0);
    settings.setValue(QStringLiteral("PREF_PROMPT"), promptOnExit ? 1 : 0);
    settings.setValue(QStringLiteral("BACKUPINTERVAL"), backupInterval);
    if (!defaultSetupPath.isEmpty()) settings.setValue(QStringLiteral("DEFAULTPLW"), defaultSetupPath);
    settings.setValue(QStringLiteral("ImageType"), imageType);
    settings.setValue(QStringLiteral("ImageQuality"), imageQuality);
}

}  // namespace velor
