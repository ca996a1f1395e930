#pragma once
// The new-hardware parameter words in the parameter table Eep_Data and the rows of the
// parameter grid (StringGrid3): address, "name[k]", decimal, hex, binary, scaled value.
#include "live/ram_table.h"
#include "parameters/parameter_set.h"

#include <vector>

// Fills nr, adr, val_int and val_n of rows 0.. of eep (names and norms are the table's)
// and returns one grid row per word; column 6 stays empty.
std::vector<GridRow> fillParameterTable(const QList<EepWord>& words, TRam_Data& eep);
