// Which undo-data class each undo kind holds.
#pragma once

#include "document/ModRec.h"

// The class of the undo data of `kind`, or null for a kind without one here.
const CRuntimeClass* UndoDataClass(int kind);

// Whether a record read from a file holds undo data of its kind's class, so that applying it
// cannot meet a record of the wrong class.
bool UndoDataFitsKind(const ModRec& record);
