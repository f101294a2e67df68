// The start-up benchmark's baseline: a Qt program that shows one dialog and
// ends on the first turn of its event loop, as gui does with the probe set.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Administration Password")));
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.reject(); });
    return dialog.exec() == QDialog::Rejected ? 0 : 1;
}
