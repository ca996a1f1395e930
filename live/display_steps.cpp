// The live status display: after each accepted RAM read the window shows the controller's
// words as measured values, times, clock, savings, lamps and its operating state. The
// values are computed by live/live_display; this file gathers the inputs and writes the
// widgets. Also the range check shared with the parameter read and the painting of the
// two state bars.
#include "app/hauptfenster.h"
#include "app/widgets/lamp_shape.h"
#include "app/widgets/state_strip.h"
#include "live/live_display.h"
#include "serial/sio.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace {

// Answer bytes of the old hardware's ramp-time word (item 28): low byte, then high byte.
constexpr int kOldRampLowByte = 4 * 28 + 2;
constexpr int kOldRampHighByte = 4 * 28 + 3;

QColor lampColour(LampColour colour) {
    switch (colour) {
    case LampColour::Green:
        return {0, 255, 0};
    case LampColour::Yellow:
        return {255, 255, 0};
    case LampColour::Red:
        return {255, 0, 0};
    case LampColour::Grey:
        break;
    }
    return {128, 128, 128};
}

QColor panelColour(StatePanelColour colour) {
    switch (colour) {
    case StatePanelColour::Blue:
        return {0, 0, 255};
    case StatePanelColour::Red:
        return {255, 0, 0};
    case StatePanelColour::Grey:
        break;
    }
    return TStateStrip::unlitColor();
}

void setCaptionColour(QLabel* label, CaptionColour colour) {
    QPalette palette = label->palette();
    const QColor text = colour == CaptionColour::Red
                            ? QColor(255, 0, 0)
                            : label->parentWidget()->palette().color(QPalette::WindowText);
    palette.setColor(QPalette::WindowText, text);
    label->setPalette(palette);
}

template <typename Widget> void setTextIf(Widget* widget, const std::optional<QString>& text) {
    if (text)
        widget->setText(*text);
}

void showLiveDisplay(THauptfenster& w, const LiveDisplay& d) {
    w.Edit_Uz->setText(d.Edit_Uz);
    w.Edit_fist->setText(d.Edit_fist);
    w.Edit_fsoll->setText(d.Edit_fsoll);
    w.uac_ist_int = d.uac_ist_int;
    w.Edit_uac->setText(d.Edit_uac);
    w.Edit_tmp1->setText(d.Edit_tmp1);
    setTextIf(w.Edit_tmp2, d.Edit_tmp2);

    w.takt_burn->setText(d.takt_burn);
    w.time_burn->setText(d.time_burn);
    setTextIf(w.Edit12, d.Edit12);
    setTextIf(w.Edit13, d.Edit13);
    if (d.Label22_visible)
        w.Label22->setVisible(*d.Label22_visible);

    w.e_spar_soll_anz->setText(d.e_spar_soll_anz);
    w.e_spar_ist_anz->setText(d.e_spar_ist_anz);
    w.e_spar_soll_intern_anz->setText(d.e_spar_soll_intern_anz);
    setTextIf(w.e_spar_soll_extern_anz, d.e_spar_soll_extern_anz);

    w.h_all->setText(d.h_all);
    w.h_dimm->setText(d.h_dimm);
    w.t_lauf_anz->setText(d.t_lauf_anz);

    w.uC_Zeit->setText(d.uC_Zeit);
    w.uC_Zeit2->setText(w.uC_Zeit->text());
    if (d.clk_uc)
        setCaptionColour(w.clk_uc, *d.clk_uc);

    w.LED_G->setBrushColor(lampColour(d.LED_G));
    w.Sh_cond_4->setBrushColor(lampColour(d.Sh_cond_4));
    w.Sh_cond_3->setBrushColor(lampColour(d.Sh_cond_3));
    w.Sh_Dimm_off->setBrushColor(lampColour(d.Sh_Dimm_off));
    w.LED_Y->setBrushColor(lampColour(d.LED_Y));
    w.LED_R->setBrushColor(lampColour(d.LED_R));
    w.so_time_led->setBrushColor(lampColour(d.so_time_led));
    if (d.Label69)
        setCaptionColour(w.Label69, *d.Label69);
    if (d.Label60)
        setCaptionColour(w.Label60, *d.Label60);

    w.controller_state = d.controller_state;
    TLampShape* const periodLamps[] = {w.wt_ph1_led, w.wt_ph2_led, w.wt_ph3_led,
                                       w.we_ph1_led, w.we_ph2_led, w.we_ph3_led};
    for (std::size_t i = 0; i < d.periodLamps.size(); ++i)
        periodLamps[i]->setBrushColor(lampColour(d.periodLamps[i]));

    if (d.comError())
        w.Label31->show();

    setTextIf(w.Lux_Ist, d.Lux_Ist);
    w.live_values = d.values;
    w.live_values_shown = true;
}

void drawStatePanel(quint16 controllerState, TStateStrip* bar, QPainter& canvas, int panel,
                    const QRect& rect) {
    canvas.setPen(panelColour(statePanelColour(controllerState, panel)));
    bar->drawPanelText(canvas, panel, rect);
}

} // namespace

void THauptfenster::ram_to_anz_new() {
    showLiveDisplay(*this, liveDisplayNew({.ram = Ram_Data,
                                           .DEV_Nr = DEV_Nr,
                                           .kal_value230 = kal_value230,
                                           .luxM = Edit_Lux_m->text(),
                                           .luxN = Edit_Lux_n->text()}));
}

void THauptfenster::ram_to_anz_old() {
    showLiveDisplay(*this, liveDisplayOld({.ram = Ram_Data_Old,
                                           .HW_Ver_Nr = HW_Ver_Nr,
                                           .kal_value230 = kal_value230,
                                           .rampLow = rx_buffer[kOldRampLowByte],
                                           .rampHigh = rx_buffer[kOldRampHighByte]}));
}

void THauptfenster::chk_val(quint16* adresse, quint16 limit_down, quint16 limit_up) {
    if (limitToRange(*adresse, limit_down, limit_up))
        Label31->show();
}

void THauptfenster::StatusBar1DrawPanel(TStateStrip* StatusBar, QPainter& Canvas, int Panel,
                                        const QRect& Rect) {
    drawStatePanel(controller_state, StatusBar, Canvas, Panel, Rect);
}

void THauptfenster::StatusBar2DrawPanel(TStateStrip* StatusBar, QPainter& Canvas, int Panel,
                                        const QRect& Rect) {
    drawStatePanel(controller_state, StatusBar, Canvas, Panel, Rect);
}
