#include "twinscope/platform/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "twinscope/runtime/MessageHook.h"

namespace twinscope {

void InstallQtMessageBox() {
    SetMessageHandler([](const std::string& text) {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(QApplication::applicationDisplayName());
        box.setText(QString::fromStdString(text));
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
    });
}

}  // namespace twinscope
