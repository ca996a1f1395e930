#pragma once
// An up-down button pair beside an edit. Position moves by Increment within Min … Max on
// each click; when an edit is associated, the position is the edit's number: a click
// starts from the number the edit shows and writes the new position back into it.
// clicked(Up/Down) fires on every click, also at a limit (the period savings step their
// own takt value on it); changed(int) fires when the position actually moved.
#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
    Q_OBJECT
public:
    enum Button { Up, Down };
    Q_ENUM(Button)

    explicit TUpDown(QWidget* parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Increment() const { return increment_; }
    int Position() const { return position_; }
    void setMin(int value);
    void setMax(int value);
    void setRange(int min, int max);
    void setIncrement(int value) { increment_ = qMax(1, value); }
    // Clamps to Min … Max and shows the position in the associated edit.
    void setPosition(int value);

    QLineEdit* associate() const { return associate_; }
    // Places the position into the edit from now on (nullptr detaches).
    void setAssociate(QLineEdit* edit);

    // One click of a button, as the user gives it.
    void click(Button button);

    QSize sizeHint() const override;

signals:
    void clicked(TUpDown::Button button);
    void changed(int position);

private:
    void writeAssociate();

    QToolButton* up_;
    QToolButton* down_;
    QLineEdit* associate_ = nullptr;
    int min_ = 0;
    int max_ = 100;
    int increment_ = 1;
    int position_ = 0;
};
