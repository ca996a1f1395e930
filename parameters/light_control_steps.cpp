// The light-control page's sensor type (CB_LuxparaChange): a sensor type sets its slope and
// offset in locked edits, "Individual" opens the edits with the numbers they hold.
#include "app/hauptfenster.h"
#include "parameters/light_control.h"

#include <QComboBox>
#include <QLineEdit>

void THauptfenster::CB_LuxparaChange() {
    const int index = CB_Luxpara->currentIndex();
    if (index == kLuxIndividual) {
        Edit_Lux_m->setEnabled(true);
        Edit_Lux_n->setEnabled(true);
        return;
    }
    const std::optional<LuxPreset> preset = luxPreset(index);
    if (!preset)
        return; // no selection
    Edit_Lux_m->setEnabled(false);
    Edit_Lux_n->setEnabled(false);
    Edit_Lux_m->setText(preset->m);
    Edit_Lux_n->setText(preset->n);
}
