#include "app/pages/page_kit.h"

#include "app/widgets/lamp_shape.h"
#include "app/widgets/up_down.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimeEdit>

namespace page_kit {

QLabel* caption(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return label;
}

QLabel* wrappingCaption(QWidget* parent) {
    auto* label = caption(parent);
    label->setWordWrap(true);
    return label;
}

QLabel* readout(QWidget* parent, const QString& widestText) {
    auto* label = new QLabel(parent);
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setMargin(1);
    label->setIndent(3);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widestText) + 14);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return label;
}

QLineEdit* numberEdit(QWidget* parent, int digits, bool readOnly) {
    auto* edit = new QLineEdit(parent);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setReadOnly(readOnly);
    const int textWidth = edit->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0')));
    edit->setFixedWidth(textWidth + 16);
    return edit;
}

TUpDown* upDown(QWidget* parent, int min, int max, int increment, int position,
                QLineEdit* associate) {
    auto* ud = new TUpDown(parent);
    ud->setRange(min, max);
    ud->setIncrement(increment);
    ud->setPosition(position);
    if (associate) {
        // The up-down writes its position into the edit from here on.
        ud->setAssociate(associate);
        ud->setFixedHeight(associate->sizeHint().height());
    }
    return ud;
}

QHBoxLayout* withUpDown(QLineEdit* edit, TUpDown* ud) {
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(edit);
    row->addWidget(ud);
    ud->setFixedHeight(edit->sizeHint().height());
    return row;
}

TLampShape* lamp(QWidget* parent) {
    return new TLampShape(parent);
}

QGroupBox* group(QWidget* parent, const QString& title) {
    return new QGroupBox(title, parent);
}

QTimeEdit* timePicker(QWidget* parent, QTime time) {
    auto* picker = new QTimeEdit(time, parent);
    picker->setWrapping(true);
    picker->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return picker;
}

void keepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

void makeWarning(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(200, 0, 0));
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
}

QTableWidget* stringGrid(QWidget* parent, int columns, int rows, int defaultColumnWidth) {
    auto* grid = new QTableWidget(rows, columns, parent);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    grid->horizontalHeader()->setDefaultSectionSize(defaultColumnWidth);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const QBrush fixedBrush = grid->palette().brush(QPalette::Button);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem;
            if (r == 0 || c == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(fixedBrush);
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            grid->setItem(r, c, item);
        }
    }
    return grid;
}

} // namespace page_kit
