// The smallest Qt Widgets clock: a window whose one-second timer sets two labels. What
// start-up, memory and idle CPU of the real clock are compared with.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    auto* layout = new QVBoxLayout(&window);
    auto* time = new QLabel;
    auto* date = new QLabel;
    layout->addWidget(time);
    layout->addWidget(date);
    const auto tick = [&] {
        const QDateTime now = QDateTime::currentDateTime();
        time->setText(now.toString(QStringLiteral("HH:mm:ss")));
        date->setText(now.toString(QStringLiteral("yyyy-MM-dd")));
    };
    tick();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, tick);
    timer.start(1000);
    window.show();
    return QApplication::exec();
}
