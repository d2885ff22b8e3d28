#include "a00.h"
#include "messagebox.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vlajkor"));
    QApplication::setApplicationDisplayName(MessageBox::Title);
    // Lets docks match the window to its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("cz.vlajkor.vlajkor"));

    TA0 A0;
    A0.show();
    return app.exec();
}
