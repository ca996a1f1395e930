#include "app/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

MessageSink messageBoxSink() {
    return [](const QString& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("TRV5200"), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    };
}

QMessageBox* questionBox(const Question& question, QWidget* parent) {
    auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("TRV5200"), question.text,
                                QMessageBox::Ok | QMessageBox::Cancel, parent);
    box->button(QMessageBox::Ok)->setText(question.proceed);
    box->button(QMessageBox::Cancel)->setText(question.cancel);
    box->setDefaultButton(QMessageBox::Cancel);
    box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

QuestionSink questionBoxSink() {
    return [](const Question& question) {
        QMessageBox* box = questionBox(question, QApplication::activeWindow());
        const bool proceed = box->exec() == QMessageBox::Ok;
        delete box;
        return proceed;
    };
}
