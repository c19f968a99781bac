#pragma once
// The locale services the program asks of the system: comparison, case and date formats of
// the user's locale. Each lives in its own header; this one gathers them.

#include "platform/CaseMapping.h"
#include "platform/Collator.h"
#include "platform/DateTimeFormat.h"
