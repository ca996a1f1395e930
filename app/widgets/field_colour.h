#pragma once
// The error colour of a field: red (RGB 255, 0, 0) behind the text, or the system's own.
// The parameter checks read it back: a start setting coloured red keeps the write locked.
class QWidget;

void setErrorColour(QWidget* field, bool red);
bool hasErrorColour(const QWidget* field);
