// The floor for the start-up benchmark: a bare Qt window of the program's
// size with 60 labels, and nothing else. Usage: plain_window
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Plain Qt window"));
    window.setFixedSize(1014, 705);
    auto* grid = new QGridLayout(&window);
    for (int i = 0; i < 60; ++i)
        grid->addWidget(new QLabel(QStringLiteral("Label %1").arg(i + 1)), i / 6, i % 6);
    window.show();
    return application.exec();
}
