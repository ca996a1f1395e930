#include "app/widgets/up_down.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        layout->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { click(Up); });
    connect(down_, &QToolButton::clicked, this, [this] { click(Down); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

void TUpDown::setMin(int value) {
    setRange(value, qMax(value, max_));
}

void TUpDown::setMax(int value) {
    setRange(qMin(min_, value), value);
}

void TUpDown::setRange(int min, int max) {
    min_ = min;
    max_ = qMax(min, max);
    position_ = qBound(min_, position_, max_);
}

void TUpDown::setPosition(int value) {
    position_ = qBound(min_, value, max_);
    writeAssociate();
}

void TUpDown::setAssociate(QLineEdit* edit) {
    associate_ = edit;
    writeAssociate();
}

void TUpDown::click(Button button) {
    if (!isEnabled())
        return;
    if (associate_) {
        bool ok = false;
        const int shown = associate_->text().trimmed().toInt(&ok);
        if (ok)
            position_ = qBound(min_, shown, max_);
    }
    const int before = position_;
    const int step = button == Up ? increment_ : -increment_;
    position_ = qBound(min_, position_ + step, max_);
    if (associate_ && position_ != before)
        writeAssociate();
    emit clicked(button);
    if (position_ != before)
        emit changed(position_);
}

void TUpDown::writeAssociate() {
    if (!associate_)
        return;
    const QString text = QString::number(position_);
    if (associate_->text() != text)
        associate_->setText(text);
}

QSize TUpDown::sizeHint() const {
    const int h = fontMetrics().height() + 8;
    return {qMax(16, h * 2 / 3), h};
}
