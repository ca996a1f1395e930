#pragma once
// The captions of the window's pages by their rows of the text table. Each page builder
// lists its controls with the row each one shows; the window labels every control from
// that list, so a change of language can label them again from the same rows.
//
// A caption is a control's own text (label, button, group box title, menu title, action,
// window title), a page's tab title (the control is the page), or one piece of a control
// that shows several texts: a state strip's panel or a grid's heading cell in row 0.
#include <QString>
#include <functional>
#include <vector>

class QObject;

struct CaptionRow {
    QObject* control = nullptr;
    int row = 0;   // row of the text table
    int part = -1; // panel of a state strip, heading column of a grid; -1: the whole control
};

using CaptionRows = std::vector<CaptionRow>;

// One row for each piece of a control that shows several texts: part i shows rows[i].
CaptionRows partRows(QObject* control, std::initializer_list<int> rows);

// Puts `text` where the caption is shown.
void setCaption(const CaptionRow& caption, const QString& text);
// What the caption shows now; empty for a control of a kind that has no caption.
QString shownCaption(const CaptionRow& caption);

// Labels every control of the list with textOf(row).
void applyCaptions(const CaptionRows& captions, const std::function<QString(int)>& textOf);

// Appends a page's rows to the window's list.
void addCaptions(CaptionRows& into, const CaptionRows& rows);
