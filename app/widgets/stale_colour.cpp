#include "app/widgets/stale_colour.h"

#include <QApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace {
constexpr const char* kStaleColour = "trvStaleColour";
}

void setStaleColour(QWidget* field, bool stale) {
    if (hasStaleColour(field) == stale)
        return;
    field->setProperty(kStaleColour, stale);
    // Edits draw their text in Text, labels in WindowText; both are set, so one rule
    // serves every kind of field. Unmarked, the field takes its parent's colours again.
    const QPalette normal =
        field->parentWidget() ? field->parentWidget()->palette() : QApplication::palette();
    QPalette palette = field->palette();
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText}) {
        for (const QPalette::ColorGroup group :
             {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, role,
                             stale ? QColor(128, 128, 128) : normal.color(group, role));
    }
    field->setPalette(palette);
}

bool hasStaleColour(const QWidget* field) {
    return field->property(kStaleColour).toBool();
}
