#include "app/message_box.h"

#include <QApplication>
#include <QMessageBox>

MessageSink messageBoxSink() {
    return [](const QString& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("TRV5200"), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    };
}
