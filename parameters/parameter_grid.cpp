#include "parameters/parameter_grid.h"

#include "base/formats.h"

std::vector<GridRow> fillParameterTable(const QList<EepWord>& words, TRam_Data& eep) {
    std::vector<GridRow> rows;
    for (int k = 0; k < words.size() && k < kRamEntries; ++k) {
        const auto i = std::size_t(k);
        eep.nr[i] = k;
        eep.adr[i] = hexWord(words[k].address);
        eep.val_int[i] = words[k].value;
        eep.val_n[i] = float(words[k].value) * eep.norm[i] / 32767.0f;
        GridRow row;
        row.cells[0] = eep.adr[i];
        row.cells[1] = eep.name[i] + QLatin1Char('[') + QString::number(k) + QLatin1Char(']');
        row.cells[2] = QString::number(words[k].value);
        row.cells[3] = hexWord(words[k].value);
        row.cells[4] = QStringLiteral("0x") + IntToBin(words[k].value, 16);
        row.cells[5] = formatFixed(eep.val_n[i], 2);
        rows.push_back(row);
    }
    return rows;
}
