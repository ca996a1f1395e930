// TabSheet6, the light control: the lux sensor's parameters and the lux controller's
// actual value under a banner. The page is not translated: its captions are literals.
#include "app/hauptfenster.h"

#include "app/pages/page_kit.h"
#include "parameters/light_control.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTabWidget>

using namespace page_kit;

namespace {

// The light-control page's banner: a night street under a row of lamps.
QPixmap lightBanner(const QSize& size, qreal dpr) {
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(12, 20, 48));
    sky.setColorAt(1, QColor(40, 56, 96));
    p.fillRect(QRect(QPoint(0, 0), size), sky);
    const int ground = size.height() - 18;
    p.fillRect(QRect(0, ground, size.width(), 18), QColor(30, 30, 36));
    const int lamps = 5;
    const int pitch = size.width() / lamps;
    for (int x = pitch / 2 - 7; x < size.width(); x += pitch) {
        QRadialGradient glow(QPointF(x + 14, 34), 70);
        glow.setColorAt(0, QColor(255, 220, 140, 150));
        glow.setColorAt(1, QColor(255, 220, 140, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(x + 14, 34), 70, 70);
        p.setPen(QPen(QColor(150, 150, 160), 3));
        p.drawLine(x, ground, x, 28);
        p.drawLine(x, 28, x + 14, 28);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 236, 180));
        p.drawEllipse(QPointF(x + 14, 32), 6, 4);
    }
    return pixmap;
}

} // namespace

void THauptfenster::buildLightControlPage() {
    TabSheet6 = new QWidget;
    auto* page = compact(new QGridLayout(TabSheet6));
    page->setSpacing(kGroupSpacing);

    GroupBox12 = group(TabSheet6, QStringLiteral(" Lux-Sensor Parameter "));
    auto* g12 = compact(new QGridLayout(GroupBox12));
    g12->setVerticalSpacing(4);
    CB_Luxpara = new QComboBox(GroupBox12);
    CB_Luxpara->addItems(luxEntries());
    Label_Lux_m = caption(GroupBox12, QStringLiteral("Anstieg m"));
    Edit_Lux_m = numberEdit(GroupBox12, 7, false);
    Edit_Lux_m->setEnabled(false);
    Label_Lux_n = caption(GroupBox12, QStringLiteral("Offset n"));
    Edit_Lux_n = numberEdit(GroupBox12, 7, false);
    Edit_Lux_n->setEnabled(false);
    g12->addWidget(CB_Luxpara, 0, 0, 1, 2);
    g12->addWidget(Label_Lux_m, 1, 0);
    g12->addWidget(Edit_Lux_m, 1, 1, Qt::AlignLeft);
    g12->addWidget(Label_Lux_n, 2, 0);
    g12->addWidget(Edit_Lux_n, 2, 1, Qt::AlignLeft);
    g12->setColumnStretch(1, 1);
    g12->setRowStretch(3, 1);
    page->addWidget(GroupBox12, 0, 0);

    GroupBox1 = group(TabSheet6, QStringLiteral(" Lux-Regler "));
    auto* g1 = compact(new QGridLayout(GroupBox1));
    Label_Lux_Ist = caption(GroupBox1, QStringLiteral("Ist-Wert [Lux]"));
    Lux_Ist = numberEdit(GroupBox1, 8, true);
    Lux_Ist->setFocusPolicy(Qt::NoFocus);
    g1->addWidget(Label_Lux_Ist, 0, 0);
    g1->addWidget(Lux_Ist, 1, 0, Qt::AlignLeft);
    g1->setRowStretch(2, 1);
    g1->setColumnStretch(1, 1);
    page->addWidget(GroupBox1, 0, 1);

    Image2 = new QLabel(TabSheet6);
    // Drawn at twice its size, so it stays sharp on a high-resolution screen.
    Image2->setPixmap(lightBanner(QSize(659, 116), 2.0));
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setScaledContents(false);
    Image2->setMinimumHeight(116);
    Image2->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    page->addWidget(Image2, 1, 0, 1, 2);
    page->setRowStretch(1, 1);
    page->setColumnStretch(0, 1);
    page->setColumnStretch(1, 1);
    PageControl1->addTab(TabSheet6, QStringLiteral("Lichtregelung"));
}
