#include "app/DatabaseMessage.h"
#include "app/UserDataFolder.h"
#include "materials/store/MaterialDatabase.h"
#include "ui/controls/Fonts.h"
#include "ui/mainwindow/Form1.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QStyleFactory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QApplication::setDesktopFileName(QStringLiteral("org.korvane.Korvane"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    korvane::ui::installFontSubstitutes();

    if (QApplication::arguments().contains(QLatin1String(korvane::app::kUserDataFolderOption))) {
        const korvane::Result<QString> folder = korvane::app::enterUserDataFolder();
        if (!folder) {
            QMessageBox::critical(nullptr, QApplication::applicationName(), errorText(folder));
            return 1;
        }
    }

    const QString path = QString::fromLatin1(korvane::kDatabasePath);
    korvane::OpenedDatabase database = korvane::openMaterialDatabase(path);
    if (!database) {
        const bool fileExists = QFileInfo(path).isSymLink() || QFileInfo::exists(path);
        QMessageBox::critical(nullptr, QApplication::applicationName(),
                              korvane::app::unusableDatabaseMessage(path, errorText(database), fileExists));
        return 1;
    }
    korvane::ui::Form1 window(**database);
    window.show();
    return app.exec();
}
