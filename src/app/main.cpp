// Program entry: SQLite first, then the application and its main window;
// SQLite is shut down when the event loop has ended, before the window and
// its connection object are released.
#include "app/ErrorHandler.h"
#include "app/frmMain.h"
#include "store/Resources.h"

#include <QIcon>
#include <QPixmap>

#include <sqlite3.h>

#include <memory>

int main(int argc, char** argv)
{
    sqlite3_initialize();
    int exitCode = 0;
    {
        quorvel::QuorvelApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Quorvel"));
        QPixmap logo;
        logo.loadFromData(quorvel::ResourceBytes(quorvel::kLogoResourceName,
                                                 quorvel::kLogoResourceType));
        QApplication::setWindowIcon(QIcon(logo));

        auto frmMain = std::make_unique<quorvel::TfrmMain>(quorvel::ExecutableFolder());
        frmMain->show();
        exitCode = app.exec();
        sqlite3_shutdown();
    }
    return exitCode;
}
