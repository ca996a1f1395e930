#include "app/pages/caption_rows.h"

#include "app/widgets/state_strip.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>

namespace {

// The tab widget that holds `page` as one of its pages, if any.
QTabWidget* tabsHolding(QWidget* page) {
    for (QWidget* up = page->parentWidget(); up; up = up->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(up))
            return tabs->indexOf(page) >= 0 ? tabs : nullptr;
    }
    return nullptr;
}

QTableWidgetItem* headingCell(QTableWidget* grid, int column) {
    return column >= 0 && column < grid->columnCount() ? grid->item(0, column) : nullptr;
}

} // namespace

CaptionRows partRows(QObject* control, std::initializer_list<int> rows) {
    CaptionRows captions;
    int part = 0;
    for (int row : rows)
        captions.push_back({control, row, part++});
    return captions;
}

void setCaption(const CaptionRow& caption, const QString& text) {
    QObject* control = caption.control;
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(control)) {
        box->setTitle(text);
    } else if (auto* menu = qobject_cast<QMenu*>(control)) {
        menu->setTitle(text);
    } else if (auto* action = qobject_cast<QAction*>(control)) {
        action->setText(text);
    } else if (auto* strip = qobject_cast<TStateStrip*>(control)) {
        strip->setPanelText(caption.part, text);
    } else if (auto* grid = qobject_cast<QTableWidget*>(control)) {
        if (QTableWidgetItem* cell = headingCell(grid, caption.part))
            cell->setText(text);
    } else if (auto* widget = qobject_cast<QWidget*>(control)) {
        if (QTabWidget* tabs = tabsHolding(widget))
            tabs->setTabText(tabs->indexOf(widget), text);
        else if (widget->isWindow())
            widget->setWindowTitle(text);
    }
}

QString shownCaption(const CaptionRow& caption) {
    QObject* control = caption.control;
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* box = qobject_cast<QGroupBox*>(control))
        return box->title();
    if (auto* menu = qobject_cast<QMenu*>(control))
        return menu->title();
    if (auto* action = qobject_cast<QAction*>(control))
        return action->text();
    if (auto* strip = qobject_cast<TStateStrip*>(control))
        return strip->panelText(caption.part);
    if (auto* grid = qobject_cast<QTableWidget*>(control)) {
        const QTableWidgetItem* cell = headingCell(grid, caption.part);
        return cell ? cell->text() : QString();
    }
    if (auto* widget = qobject_cast<QWidget*>(control)) {
        if (QTabWidget* tabs = tabsHolding(widget))
            return tabs->tabText(tabs->indexOf(widget));
        if (widget->isWindow())
            return widget->windowTitle();
    }
    return {};
}

void applyCaptions(const CaptionRows& captions, const std::function<QString(int)>& textOf) {
    for (const CaptionRow& caption : captions)
        setCaption(caption, textOf(caption.row));
}

void addCaptions(CaptionRows& into, const CaptionRows& rows) {
    into.insert(into.end(), rows.begin(), rows.end());
}
