#include "app/widgets/field_colour.h"

#include <QApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace {
constexpr const char* kErrorColour = "trvErrorColour";
}

void setErrorColour(QWidget* field, bool red) {
    if (hasErrorColour(field) == red)
        return;
    field->setProperty(kErrorColour, red);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base,
                     red ? QColor(255, 0, 0) : QApplication::palette().color(QPalette::Base));
    field->setPalette(palette);
}

bool hasErrorColour(const QWidget* field) {
    return field->property(kErrorColour).toBool();
}
