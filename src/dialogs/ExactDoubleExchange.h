// A double shown in an edit box as DialogDoubleText writes it. Reading the box back keeps the
// member's exact value while the text still shows it, so a value that only passed through the
// dialog (one set by a mouse drag, say) compares equal to where it came from.
#pragma once

#include "platform/framework/DataExchange.h"

void DDX_TextExact(CDataExchange* dx, int id, double& value);
