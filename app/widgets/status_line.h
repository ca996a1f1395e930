#pragma once
// The main window's status line: fixed panels as the controller version and the loaded
// parameter file are shown in it. Panel 0 is 300 px wide ("Version: …"), panel 1 is at
// least 50 px; panel 2, the rest of the line, says what went wrong in an exchange that
// still ended (a controller's answer that made no sense).
#include <QStatusBar>
#include <QString>
#include <QVector>

class QLabel;

class TStatusLine : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusLine(QWidget* parent = nullptr);

    static constexpr int kMessagePanel = 2;

    int panelCount() const { return int(panels_.size()); }
    // Text of a panel; empty for a panel that does not exist.
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);

private:
    QVector<QLabel*> panels_;
};
