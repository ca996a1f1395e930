// TRV5200 Service: the service and commissioning program of the TRV5200 dimmer controller.
#include "app/hauptfenster.h"
#include "app/message_box.h"
#include "app/single_instance.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TRV5200"));

    // A second start brings the running window to the front and ends without a window.
    SingleInstance instance;
    if (!instance.tryBecomePrimary())
        return 0;

    setMessageSink(messageBoxSink());
    setQuestionSink(questionBoxSink());

    THauptfenster w;
    QObject::connect(&instance, &SingleInstance::restoreRequested, &w,
                     &THauptfenster::RestoreRequest);
    w.show();
    w.startLanguage();
    return app.exec();
}
