// The yardstick: the smallest Qt Widgets program that shows a window and ends.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QWidget window;
    window.resize(467, 327);
    window.show();
    return 0;
}
