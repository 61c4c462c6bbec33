// The yardstick: the classic smallest Qt Widgets program, a window with one
// line of text, shown, painted and ended. Its text loads the fonts, as every
// real window's does.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Hallo"));
    window.resize(467, 327);
    window.show();
    QApplication::processEvents();
    return 0;
}
